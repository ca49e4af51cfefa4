// The ends of the program: the fatal-error exit with its "Erreur" box (a
// line on standard error for the tasks of the command line), and the
// common end that closes the window and releases the platform.
#include <cstdio>

#include "platform/program.h"

bool errorsOnStandardError = false;

void showErrorBox(const std::u16string& message) {
    if (!errorsOnStandardError) {
        messageBox(u"Erreur", message);
        return;
    }
    const std::string line = "Erreur : " + textToUtf8(message) + "\n";
    std::fputs(line.c_str(), stderr);
}

void fatalError(const std::u16string& message) {
    closeWindow();
    showErrorBox(message);
    endProgram(1);
}

void endProgram(int status) {
    closeWindow();
    endProcess(status);
}
