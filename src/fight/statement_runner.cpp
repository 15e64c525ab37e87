#include "fight/statement_runner.h"

namespace vorkala {

bool runStatements(std::span<const NumberedStatement> statements,
                   const StatementErrorHandler& onError) {
    for (const NumberedStatement& statement : statements) {
        for (;;) {
            AfterError next;
            try {
                statement.run();
                break;
            } catch (const vk::RuntimeError& error) {
                next = onError(error, statement.line);
            }
            if (next == AfterError::Abort) return false;
            if (next == AfterError::Next) break;
        }
    }
    return true;
}

}  // namespace vorkala
