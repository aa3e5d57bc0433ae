#include "screens/ConfigurationReader.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/TempDir.h"

namespace korvan {
namespace {

constexpr char kValid[] =
    "[DCS]\n"
    "Port=6060\n"
    "IP=127.0.0.1\n"
    "Sleep=100\n"
    "Countdown=90\n"
    "Altitude=1000\n"
    "Speed=400\n";

struct Loaded {
  ConfigurationOutcome outcome;
  Configuration configuration;
};

Loaded LoadText(const std::string& text) {
  testing::TempDir folder;
  const auto file = folder.Write("LCD_Korvan.ini", text);
  Loaded loaded;
  loaded.outcome = LoadConfiguration(file.c_str(), loaded.configuration);
  return loaded;
}

std::string ReplaceLine(int index, const std::string& line) {
  std::string lines[] = {"[DCS]\n",        "Port=6060\n",     "IP=127.0.0.1\n", "Sleep=100\n",
                         "Countdown=90\n", "Altitude=1000\n", "Speed=400\n"};
  lines[index] = line;
  std::string text;
  for (const auto& l : lines) text += l;
  return text;
}

void ExpectInvalid(const std::string& text, const std::string& message) {
  const Loaded loaded = LoadText(text);
  EXPECT_EQ(loaded.outcome.status, ConfigurationStatus::kInvalid) << text;
  EXPECT_EQ(std::string(loaded.outcome.message), message) << text;
}

TEST(ConfigurationReader, ReadsEveryFieldOfAValidFile) {
  const Loaded loaded = LoadText(kValid);
  ASSERT_EQ(loaded.outcome.status, ConfigurationStatus::kLoaded);
  const Configuration& c = loaded.configuration;
  EXPECT_EQ(c.port, 6060);
  EXPECT_STREQ(c.address, "127.0.0.1\n");  // the line end stays with the address
  EXPECT_EQ(c.sleep, 100);
  EXPECT_EQ(c.countdown, 90);
  EXPECT_EQ(c.altitude, 1000);
  EXPECT_EQ(c.speed, 400);
}

TEST(ConfigurationReader, CrLfLineEndsReadAsLf) {
  std::string text;
  for (char ch : std::string(kValid)) {
    if (ch == '\n') text += '\r';
    text += ch;
  }
  const Loaded loaded = LoadText(text);
  ASSERT_EQ(loaded.outcome.status, ConfigurationStatus::kLoaded);
  EXPECT_STREQ(loaded.configuration.address, "127.0.0.1\n");
}

TEST(ConfigurationReader, MissingFileCannotBeOpened) {
  Configuration configuration;
  const auto outcome = LoadConfiguration("/nonexistent/LCD_Korvan.ini", configuration);
  EXPECT_EQ(outcome.status, ConfigurationStatus::kCannotOpen);
  EXPECT_STREQ(outcome.message, "Je ne peux ouvrir le fichier config.ini\n");

  testing::TempDir folder;  // a folder is not a file either
  EXPECT_EQ(LoadConfiguration(folder.path().c_str(), configuration).status,
            ConfigurationStatus::kCannotOpen);
}

TEST(ConfigurationReader, HeaderNeedsDInSecondPlace) {
  ExpectInvalid("", "Mauvais confi.ini\n");
  ExpectInvalid("\xEF\xBB\xBF[DCS]\n", "Mauvais confi.ini\n");  // byte-order mark
  ExpectInvalid(ReplaceLine(0, " [DCS]\n"), "Mauvais confi.ini\n");
  EXPECT_EQ(LoadText(ReplaceLine(0, "xDanything\n")).outcome.status, ConfigurationStatus::kLoaded);
}

TEST(ConfigurationReader, ShortFileFailsOnTheNextLineWithThePreviousText) {
  const std::string full = kValid;
  std::size_t end = 0;
  for (int lines = 1; lines <= 6; ++lines) {
    end = full.find('\n', end) + 1;
    if (lines == 1) continue;  // header alone: checked again below
    ExpectInvalid(full.substr(0, end), "Mauvais config.ini\n");
  }
  ExpectInvalid("[DCS]\n", "Mauvais config.ini\n");
  // A header that starts with P passes as line 2 as well, then fails on line 3.
  ExpectInvalid("PD=80\n", "Mauvais config.ini\n");
}

TEST(ConfigurationReader, PortValuesFollowAtoiAndTheLow16Bits) {
  struct Case {
    const char* line;
    bool valid;
    int port;
  };
  const Case cases[] = {
      {"Port=0\n", false, 0},
      {"Port=abc\n", false, 0},
      {"Port=65536\n", false, 0},
      {"Port=-1\n", true, 65535},
      {"Port=12ab\n", true, 12},
      {"Port= 8080\n", true, 8080},
      {"Port=+7\n", true, 7},
      {"Port=65537\n", true, 1},
      // Beyond 32 bits atoi saturates, it does not wrap.
      {"P=99999999999999\n", true, 65535},
      {"P=-9999999999999\n", false, 0},
  };
  for (const Case& c : cases) {
    const Loaded loaded = LoadText(ReplaceLine(1, c.line));
    if (c.valid) {
      EXPECT_EQ(loaded.outcome.status, ConfigurationStatus::kLoaded) << c.line;
      EXPECT_EQ(loaded.configuration.port, c.port) << c.line;
    } else {
      EXPECT_STREQ(loaded.outcome.message, "Port non valide\n") << c.line;
    }
  }
}

TEST(ConfigurationReader, EachNumericLineReportsItsOwnMissingEquals) {
  ExpectInvalid(ReplaceLine(1, "Port 6060\n"), "Port non valide\n");
  ExpectInvalid(ReplaceLine(3, "Sleep 100\n"), "Sleep non valide\n");
  ExpectInvalid(ReplaceLine(4, "Countdown 90\n"), "Countdown non valide\n");
  ExpectInvalid(ReplaceLine(5, "Altitude 1000\n"), "m_atitude non valide\n");
  ExpectInvalid(ReplaceLine(6, "Speed 400\n"), "m_speed non valide\n");
  ExpectInvalid(ReplaceLine(2, "IP 127.0.0.1\n"), "Adresse IP non valide\n");
}

TEST(ConfigurationReader, LeadingLettersAreCaseSensitive) {
  ExpectInvalid(ReplaceLine(1, "port=6060\n"), "Mauvais config.ini\n");
  ExpectInvalid(ReplaceLine(6, "SPeed=400\n"), "Mauvais config.ini\n");
  ExpectInvalid(ReplaceLine(6, "Sleep=400\n"), "Mauvais config.ini\n");
  // Line 4 only needs an S; the rest of any key is free.
  const Loaded loaded = LoadText(ReplaceLine(3, "Speed=25\n"));
  ASSERT_EQ(loaded.outcome.status, ConfigurationStatus::kLoaded);
  EXPECT_EQ(loaded.configuration.sleep, 25);
}

TEST(ConfigurationReader, ReadsStopAfter18Characters) {
  // With "IP=" a 15-character address makes the line 18 long: its line end
  // becomes line 4, which does not start with S.
  ExpectInvalid(ReplaceLine(2, "IP=192.168.100.200\n"), "Mauvais config.ini\n");
  const Loaded fourteen = LoadText(ReplaceLine(2, "IP=192.168.10.200\n"));
  ASSERT_EQ(fourteen.outcome.status, ConfigurationStatus::kLoaded);
  EXPECT_STREQ(fourteen.configuration.address, "192.168.10.200\n");
}

TEST(ConfigurationReader, AddressFieldAlwaysKeepsItsTerminator) {
  // With a one-letter key 16 bytes would follow "="; refused, not cut.
  ExpectInvalid(ReplaceLine(2, "I=192.168.100.200\n"), "Adresse IP non valide\n");
  // 15 bytes (the line end included) still fit.
  const Loaded fits = LoadText(ReplaceLine(2, "I=192.168.10.200\n"));
  ASSERT_EQ(fits.outcome.status, ConfigurationStatus::kLoaded);
  EXPECT_STREQ(fits.configuration.address, "192.168.10.200\n");
  // A bare line end after "=" is not an empty value.
  EXPECT_EQ(LoadText(ReplaceLine(2, "IP=\n")).outcome.status, ConfigurationStatus::kLoaded);
  // Nothing at all after "=" (the file ends there) is.
  ExpectInvalid("[DCS]\nPort=6060\nIP=", "Adresse IP non valide\n");
}

TEST(ConfigurationReader, StopsAtTheFirstFailingLineKeepingEarlierFields) {
  const Loaded loaded = LoadText(ReplaceLine(4, "Countdown=0\n"));
  EXPECT_STREQ(loaded.outcome.message, "Countdown non valide\n");
  EXPECT_EQ(loaded.configuration.sleep, 100);
  EXPECT_EQ(loaded.configuration.altitude, 0);
}

}  // namespace
}  // namespace korvan
