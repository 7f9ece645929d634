// How a run-time error that ends the program reaches the user: one message box and the
// same text on standard error.
#pragma once

#include <QString>

#include "run_error.h"

namespace sorvanto {

// "Sorvanto cannot go on (error 53)." and, after a blank line, the error's own message,
// which says what went wrong and where.
QString RunErrorText(const RunError& error);

// Shows the message box and writes the text to standard error; returns once the box
// is dismissed. The caller ends the program with error.Code() as its status.
void ReportRunError(const RunError& error);

}  // namespace sorvanto
