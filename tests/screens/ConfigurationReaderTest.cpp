#include "screens/ConfigurationReader.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/TempDir.h"

namespace korvan {
namespace {

// Reads `text` as the file, with LF and with CR LF line ends: the message,
// and when it loaded "port address sleep countdown altitude speed".
std::string Read(const std::string& text, Configuration& c) {
  std::string results[2];
  for (const bool crlf : {false, true}) {
    std::string file;
    for (const char ch : text) file += crlf && ch == '\n' ? "\r\n" : std::string(1, ch);
    const testing::TempDir folder;
    c = {};
    const auto outcome = LoadConfiguration(folder.Write("LCD_Korvan.ini", file).c_str(), c);
    char fields[100] = "";
    if (outcome.status == ConfigurationStatus::kLoaded) {
      std::snprintf(fields, sizeof fields, "%d %s %d %d %d %d", c.port, c.address, c.sleep,
                    c.countdown, c.altitude, c.speed);
    }
    results[crlf] = outcome.message + std::string(fields);
  }
  return results[0] == results[1] ? results[0] : results[0] + " but with CR LF " + results[1];
}

TEST(ConfigurationReader, EachLineIsCheckedInTurnAndFailsWithItsMessage) {
  const char* valid[] = {"[DCS]\n",        "Port=6060\n",     "IP=127.0.0.1\n", "Sleep=100\n",
                         "Countdown=90\n", "Altitude=1000\n", "Speed=400\n"};
  const char* kWrong = "Mauvais config.ini\n";
  const char* kPort = "Port non valide\n";
  const char* kIp = "Adresse IP non valide\n";
  // A line of the valid file replaced by a text (null: the file ends before
  // it; -1: the text is the whole file), and what the read gives. A short
  // file fails on its next line, which still holds the last text; ports are
  // read as atoi does (saturating beyond 32 bits) and keep their low 16 bits;
  // lines start with case-sensitive letters; reads stop after 18 characters;
  // the address keeps its line end, and 16 bytes after "=" are refused, not cut.
  const std::tuple<int, const char*, const char*> rows[] = {
      {0, "[DCS]\n", "6060 127.0.0.1\n 100 90 1000 400"},
      {0, "xDanything\n", "6060 127.0.0.1\n 100 90 1000 400"},
      {-1, "", "Mauvais confi.ini\n"},
      {-1, "\xEF\xBB\xBF[DCS]\n", "Mauvais confi.ini\n"},
      {0, " [DCS]\n", "Mauvais confi.ini\n"},
      {1, nullptr, kWrong},
      {6, nullptr, kWrong},
      {-1, "PD=80\n", kWrong},
      {1, "Port=0\n", kPort},
      {1, "Port=65536\n", kPort},
      {1, "P=-9999999999\n", kPort},
      {1, "Port=-1\n", "65535 127.0.0.1\n 100 90 1000 400"},
      {1, "Port= +12ab\n", "12 127.0.0.1\n 100 90 1000 400"},
      {1, "Port=65537\n", "1 127.0.0.1\n 100 90 1000 400"},
      {1, "P=99999999999999\n", "65535 127.0.0.1\n 100 90 1000 400"},
      {1, "Port 6060\n", kPort},
      {2, "IP 127.0.0.1\n", kIp},
      {3, "Sleep 100\n", "Sleep non valide\n"},
      {4, "Countdown 90\n", "Countdown non valide\n"},
      {5, "Altitude 1000\n", "m_atitude non valide\n"},
      {6, "Speed 400\n", "m_speed non valide\n"},
      {1, "port=6060\n", kWrong},
      {6, "Sleep=400\n", kWrong},
      {3, "Speed=25\n", "6060 127.0.0.1\n 25 90 1000 400"},
      {2, "IP=192.168.100.200\n", kWrong},
      {2, "IP=192.168.10.200\n", "6060 192.168.10.200\n 100 90 1000 400"},
      {2, "I=192.168.100.200\n", kIp},
      {2, "I=192.168.10.200\n", "6060 192.168.10.200\n 100 90 1000 400"},
      {2, "IP=\n", "6060 \n 100 90 1000 400"},
      {-1, "[DCS]\nPort=6060\nIP=", kIp}};
  for (const auto& [line, text, expected] : rows) {
    std::string file = line < 0 ? text : "";
    for (int i = 0; line >= 0 && i < 7 && (i != line || text != nullptr); ++i) {
      file += i == line ? text : valid[i];
    }
    Configuration read;
    EXPECT_EQ(Read(file, read), expected) << file;
  }
}

TEST(ConfigurationReader, FailuresKeepTheFieldsReadBeforeAndNoFileCannotBeOpened) {
  Configuration read;
  const char* file = "[DCS]\nPort=6060\nIP=1.2.3.4\nSleep=100\nCountdown=0\nAltitude=1\nSpeed=1\n";
  EXPECT_EQ(Read(file, read), "Countdown non valide\n");
  EXPECT_EQ(std::tuple(read.sleep, read.altitude), std::tuple(100, 0));
  const testing::TempDir folder;
  for (const auto& path : {folder.path() / "LCD_Korvan.ini", folder.path()}) {
    const auto outcome = LoadConfiguration(path.c_str(), read);
    EXPECT_EQ(outcome.status, ConfigurationStatus::kCannotOpen);
    EXPECT_STREQ(outcome.message, "Je ne peux ouvrir le fichier config.ini\n");
  }
}

}  // namespace
}  // namespace korvan
