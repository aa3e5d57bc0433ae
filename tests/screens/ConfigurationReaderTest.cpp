#include "screens/ConfigurationReader.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/TempDir.h"

namespace korvan {
namespace {

#ifdef _WIN32
constexpr char kNullDevice[] = "NUL";
#else
constexpr char kNullDevice[] = "/dev/null";
#endif

// The message, and when it loaded "port address sleep countdown altitude speed".
std::string Read(const std::string& text, Configuration& c) {
  const testing::TempDir folder;
  const auto outcome = LoadConfiguration(folder.Write("LCD_Korvan.ini", text).string().c_str(), c);
  char fields[100] = "";
  if (outcome.status == ConfigurationStatus::kLoaded)
    std::snprintf(fields, sizeof fields, "%d %s %d %d %d %d", c.port, c.address, c.sleep,
                  c.countdown, c.altitude, c.speed);
  return outcome.message + std::string(fields);
}

TEST(ConfigurationReader, EachLineIsCheckedInTurnAndFailsWithItsMessage) {
  const char* valid[] = {"[DCS]\n",        "Port=6060\n",     "IP=127.0.0.1\n", "Sleep=100\n",
                         "Countdown=90\n", "Altitude=1000\n", "Speed=400\n"};
  // A line of the valid file replaced by a text (null: the file ends before it; -1: the text is the
  // whole file), and what the read gives. CR LF reads as LF; a short file fails on its next line,
  // which still holds the last text; ports are read as atoi does (saturating beyond 32 bits) and
  // keep their low 16 bits; lines start with case-sensitive letters; reads stop after 18
  // characters; the address keeps its line end and its terminator.
  // clang-format off
  const std::tuple<int, const char*, const char*> rows[] = {
      {0, "xDanything\n", "6060 127.0.0.1\n 100 90 1000 400"},
      {-1, "[DCS]\r\nP=1\r\nI=1.2.3.4\r\nS=2\r\nC=3\r\nA=4\r\nSp=5\r\n", "1 1.2.3.4\n 2 3 4 5"},
      {-1, "\xEF\xBB\xBF[DCS]\n", "Mauvais confi.ini\n"}, {1, nullptr, "Mauvais config.ini\n"},
      {-1, "PD=80\n", "Mauvais config.ini\n"}, {1, "P=-9999999999999\n", "Port non valide\n"},
      {1, "Port=-1\n", "65535 127.0.0.1\n 100 90 1000 400"},
      {1, "Port= +12ab\n", "12 127.0.0.1\n 100 90 1000 400"},
      {1, "Port=65537\n", "1 127.0.0.1\n 100 90 1000 400"},
      {1, "P=99999999999999\n", "65535 127.0.0.1\n 100 90 1000 400"},
      {1, "Port 6060\n", "Port non valide\n"}, {2, "IP 127.0.0.1\n", "Adresse IP non valide\n"},
      {3, "Sleep 100\n", "Sleep non valide\n"}, {4, "Countdown 90\n", "Countdown non valide\n"},
      {5, "Altitude 1000\n", "m_atitude non valide\n"}, {6, "Speed 400\n", "m_speed non valide\n"},
      {6, "Sleep=400\n", "Mauvais config.ini\n"},
      {3, "Speed=25\n", "6060 127.0.0.1\n 25 90 1000 400"},
      {2, "IP=192.168.100.200\n", "Mauvais config.ini\n"}, {2, "IP=\n", "6060 \n 100 90 1000 400"},
      {2, "IP=192.168.10.200\n", "6060 192.168.10.200\n 100 90 1000 400"},
      {2, "I=192.168.100.200\n", "Adresse IP non valide\n"},
      {-1, "[DCS]\nPort=6060\nIP=", "Adresse IP non valide\n"}};
  // clang-format on
  for (const auto& [line, text, expected] : rows) {
    std::string file = line < 0 ? text : "";
    for (int i = 0; line >= 0 && i < 7 && (i != line || text != nullptr); ++i)
      file += i == line ? text : valid[i];
    Configuration read;
    EXPECT_EQ(Read(file, read), expected) << file;
  }
}

TEST(ConfigurationReader, FailuresKeepTheFieldsReadBeforeAndOnlyARegularFileIsOne) {
  Configuration read;
  const char* file = "[DCS]\nPort=6060\nIP=1.2.3.4\nSleep=100\nCountdown=0\nAltitude=1\nSpeed=1\n";
  EXPECT_EQ(Read(file, read), "Countdown non valide\n");
  EXPECT_EQ(std::tuple(read.sleep, read.altitude), std::tuple(100, 0));
  // A folder opens for reading on Linux, a device everywhere.
  const testing::TempDir folder;
  for (const std::string& path : {folder.path().string(), std::string(kNullDevice)})
    EXPECT_STREQ(LoadConfiguration(path.c_str(), read).message,
                 "Je ne peux ouvrir le fichier config.ini\n")
        << path;
}

}  // namespace
}  // namespace korvan
