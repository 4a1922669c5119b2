#pragma once

#include "platform/Seams.h"
#include "terminal/Terminal.h"
#include "ui/Forms.h"

#include <QString>

// The program as main() puts it together: the terminal's logic with its seams,
// then its windows, then the connection.
struct Program {
    Program(const QString& programDir, const Seams& seams) : terminal(programDir, seams), forms(terminal) {
        if (forms.created())
            terminal.connectToServer();
    }

    Terminal terminal;
    Forms forms;
};
