#pragma once

namespace korvan {

// The latest value of every requested simulator parameter. All zero (the
// name empty) at start; written only by the parse of an answer.
struct FlightSample {
  float airspeedKmh = 0;  // 30
  float climbRateMs = 0;  // 32
  float altitudeM = 0;    // 40
  float heading = 0;      // 42
  float fuel = 0;         // 50
  float clock = 0;        // 20: hours with fractional minutes
  float value164 = 0;
  float value172 = 0;  // requested and parsed, used by nothing
  float value174 = 0;
  float value214 = 0;
  float value216 = 0;
  float value82 = 0;
  float roll = 0;              // 94
  float pitch = 0;             // 96
  float head = 0;              // 98
  char aircraftName[16] = {};  // 22: at most 15 characters and a zero
};

}  // namespace korvan
