// A routine written as numbered statements with one error handler for all of them: a
// run-time error in a statement asks the handler whether to run that statement again,
// go on with the next one or give up the rest of the routine.
#pragma once

#include <functional>
#include <span>

#include "runtime/errors.h"

namespace vorkala {

enum class AfterError { Abort, Retry, Next };

struct NumberedStatement {
    int line;
    std::function<void()> run;
};

using StatementErrorHandler = std::function<AfterError(const vk::RuntimeError&, int line)>;

// Runs the statements in order. Returns false when the handler aborted the routine.
bool runStatements(std::span<const NumberedStatement> statements,
                   const StatementErrorHandler& onError);

}  // namespace vorkala
