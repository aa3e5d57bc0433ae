#include "tests/support/TempDir.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace korvan::testing {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "korvan-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path TempDir::Write(const std::string& name, const std::string& content) const {
  const auto file = path_ / name;
  std::ofstream out(file, std::ios::binary);
  out << content;
  return file;
}

}  // namespace korvan::testing
