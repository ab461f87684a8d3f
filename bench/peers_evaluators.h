// SPDX-License-Identifier: MIT
// The evaluators the peers benchmark puts side by side. A peer's maker exists only when the
// build found that peer (MORVANE_PEER_EXPRTK, MORVANE_PEER_TINYEXPR).
#pragma once

#include <memory>

#include "morvane/api.h"
#include "peers_side.h"

namespace peers {

std::unique_ptr<Evaluator> MakeOurs(const morvane_options& options, Variables& variables);
std::unique_ptr<Evaluator> MakeMuparser(Variables& variables);
// Each evaluation reads the text anew: e_eval, and TinyExpr's compile, evaluate and free.
std::unique_ptr<Evaluator> MakeOursOneShot(Variables& variables);
#ifdef MORVANE_PEER_EXPRTK
std::unique_ptr<Evaluator> MakeExprtk(Variables& variables);
#endif
#ifdef MORVANE_PEER_TINYEXPR
std::unique_ptr<Evaluator> MakeTinyexpr(Variables& variables);
std::unique_ptr<Evaluator> MakeTinyexprOneShot(Variables& variables);
#endif

}  // namespace peers
