#include "platform/system/SharedLibrary.h"

#include <dlfcn.h>

#include <utility>

namespace korvan {

std::string SharedLibraryFileName(const std::string& name) {
  return std::string("lib").append(name).append(".so");
}

namespace {

std::string LastLoaderError(const char* fallback) {
  const char* text = dlerror();
  return text != nullptr ? text : fallback;
}

}  // namespace

bool SharedLibrary::Open(const NativePath& path) {
  Close();
  // RTLD_LOCAL keeps a plug-in's symbols (and those of its own dependencies)
  // from resolving anything in the program or in another plug-in.
  const char* name = path.Narrow().empty() ? path.Path().c_str() : path.Narrow().c_str();
  handle_ = dlopen(name, RTLD_NOW | RTLD_LOCAL);
  if (handle_ == nullptr) {
    error_ = LastLoaderError("cannot load library");
    return false;
  }
  error_.clear();
  return true;
}

void* SharedLibrary::Symbol(const char* name) {
  if (handle_ == nullptr) {
    error_ = "no library loaded";
    return nullptr;
  }
  dlerror();  // a symbol may legitimately be null, so only dlerror tells failure
  void* address = dlsym(handle_, name);
  if (address == nullptr) {
    error_ = LastLoaderError("symbol is null");
    return nullptr;
  }
  return address;
}

void SharedLibrary::Close() {
  if (handle_ != nullptr) {
    dlclose(handle_);
    handle_ = nullptr;
  }
}

}  // namespace korvan
