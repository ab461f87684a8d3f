// SPDX-License-Identifier: MIT
#include "exports/session.h"

namespace exports {

Session::Session() : services(platform::MakeNativeServices()), engine(*services) {}

Session& session() {
  static Session instance;
  return instance;
}

}  // namespace exports
