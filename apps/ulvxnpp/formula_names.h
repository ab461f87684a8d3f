// SPDX-License-Identifier: MIT
// The names of the formula settings, one list for the command line (--numbers, --spelling) and
// the session's commands (:numbers, :spelling).
#pragma once

#include <functional>
#include <map>
#include <string>

#include "engine_core/formula_settings.h"

namespace ulvxnpp {

inline const std::map<std::string, engine::Numbers, std::less<>> kNumbersNames = {
    {"classic", engine::Numbers::Classic},
    {"double", engine::Numbers::Double},
};

inline const std::map<std::string, engine::Spelling, std::less<>> kSpellingNames = {
    {"classic", engine::Spelling::Classic},
    {"programmer", engine::Spelling::Programmer},
};

}  // namespace ulvxnpp
