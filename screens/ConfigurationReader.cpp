#include "screens/ConfigurationReader.h"

#include <cctype>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>

#include "platform/system/RegularFile.h"

namespace korvan {
namespace {

constexpr int kLineLimit = 18;  // characters per read, line end included
constexpr char kWrongStart[] = "Mauvais config.ini\n";

enum class Field { kNone, kPort, kAddress, kSleep, kCountdown, kAltitude, kSpeed };

struct LineRule {
  const char* start;  // expected leading bytes; '?' stands for any byte
  Field field;
  const char* invalidValue;
  const char* wrongStart;
};

constexpr LineRule kLines[] = {
    {"?D", Field::kNone, "", "Mauvais confi.ini\n"},
    {"P", Field::kPort, "Port non valide\n", kWrongStart},
    {"I", Field::kAddress, "Adresse IP non valide\n", kWrongStart},
    {"S", Field::kSleep, "Sleep non valide\n", kWrongStart},
    {"C", Field::kCountdown, "Countdown non valide\n", kWrongStart},
    {"A", Field::kAltitude, "m_atitude non valide\n", kWrongStart},
    {"Sp", Field::kSpeed, "m_speed non valide\n", kWrongStart},
};

// Reads up to kLineLimit characters, stopping after a line end, with the
// CR LF to LF translation of a text-mode read. At the end of the file
// nothing is read and the buffer keeps the previous line, as the classic
// fgets does; that is what makes a short file fail on its next expected line.
void ReadLine(std::FILE* file, char (&buffer)[80]) {
  char line[kLineLimit + 1];
  int count = 0;
  while (count < kLineLimit) {
    int c = std::getc(file);
    if (c == EOF) break;
    if (c == '\r') {
      const int next = std::getc(file);
      if (next == '\n') {
        c = '\n';
      } else if (next != EOF) {
        std::ungetc(next, file);
      }
    }
    line[count++] = static_cast<char>(c);
    if (c == '\n') break;
  }
  if (count == 0) return;
  std::memcpy(buffer, line, static_cast<std::size_t>(count));
  buffer[count] = '\0';
}

bool StartsAsExpected(const char (&buffer)[80], const char* start) {
  for (int i = 0; start[i] != '\0'; ++i) {
    if (start[i] != '?' && buffer[i] != start[i]) return false;
  }
  return true;
}

// The classic atoi: leading white space, an optional sign, then digits up to
// the first non-digit. Out-of-range values saturate as strtol does, instead
// of overflowing.
std::int32_t ToInteger(const char* text) {
  while (std::isspace(static_cast<unsigned char>(*text))) ++text;
  bool negative = false;
  if (*text == '+' || *text == '-') negative = (*text++ == '-');
  std::int64_t value = 0;
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  while (std::isdigit(static_cast<unsigned char>(*text))) {
    value = value * 10 + (*text++ - '0');
    if (value > kLimit) value = kLimit;
  }
  if (negative) return static_cast<std::int32_t>(-value);
  return static_cast<std::int32_t>(value > kLimit - 1 ? kLimit - 1 : value);
}

std::int32_t* NumericField(Configuration& configuration, Field field) {
  switch (field) {
    case Field::kPort:
      return &configuration.port;
    case Field::kSleep:
      return &configuration.sleep;
    case Field::kCountdown:
      return &configuration.countdown;
    case Field::kAltitude:
      return &configuration.altitude;
    case Field::kSpeed:
      return &configuration.speed;
    case Field::kNone:
    case Field::kAddress:
      break;
  }
  return nullptr;
}

// Copies the address with zero fill. A value that would fill all 16 bytes
// leaves no room for the terminator and is refused rather than cut.
bool StoreAddress(const char* value, Configuration& configuration) {
  const std::size_t length = strnlen(value, sizeof configuration.address);
  if (length >= sizeof configuration.address) return false;
  std::memset(configuration.address, 0, sizeof configuration.address);
  std::memcpy(configuration.address, value, length);
  return configuration.address[0] != '\0';
}

}  // namespace

ConfigurationOutcome ReadConfiguration(std::FILE* file, Configuration& configuration) {
  char buffer[80] = {};
  for (const LineRule& rule : kLines) {
    ReadLine(file, buffer);
    if (!StartsAsExpected(buffer, rule.start)) {
      return {ConfigurationStatus::kInvalid, rule.wrongStart};
    }
    if (rule.field == Field::kNone) continue;

    const char* equals = std::strchr(buffer, '=');
    if (equals == nullptr) return {ConfigurationStatus::kInvalid, rule.invalidValue};
    const char* value = equals + 1;

    if (rule.field == Field::kAddress) {
      if (!StoreAddress(value, configuration)) {
        return {ConfigurationStatus::kInvalid, rule.invalidValue};
      }
      continue;
    }
    const auto lowBits = static_cast<std::uint16_t>(static_cast<std::uint32_t>(ToInteger(value)));
    *NumericField(configuration, rule.field) = lowBits;
    if (lowBits == 0) return {ConfigurationStatus::kInvalid, rule.invalidValue};
  }
  return {};
}

ConfigurationOutcome LoadConfiguration(const char* path, Configuration& configuration) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path, "rb"), &std::fclose);
  // Only a regular file is a configuration file: a folder opens for reading
  // on Linux, and a device or a pipe holds no settings either.
  if (!file || !RegularFileSize(file.get())) {
    return {ConfigurationStatus::kCannotOpen, "Je ne peux ouvrir le fichier config.ini\n"};
  }
  return ReadConfiguration(file.get(), configuration);
}

}  // namespace korvan
