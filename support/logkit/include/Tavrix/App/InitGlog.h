#pragma once

#include <Tavrix/logkit_export.h>

#include <string>

namespace Tavrix::App {

/// Sets up glog for the process under the name in the environment variable "GLOG_PRODUCT_NAME"
/// (the executable's name when unset). Log files go to `logDirectory`, or to
/// `<AppLocalDataLocation>/logs` when it is empty; warnings and errors also go to stderr.
/// Only the first call in a process does anything.
LOGKIT_EXPORT void InitGlog(const std::string& logDirectory);

/// Whether InitGlog has set glog up in this process.
LOGKIT_EXPORT bool IsGlogInitialized();

} // namespace Tavrix::App
