// The ends of the program: the fatal-error exit with its "Erreur" box, and the
// common end that closes the window and releases the platform.
#include "model/work_copies.h"
#include "platform/program.h"

void showErrorBox(const std::u16string& message) {
    messageBox(u"Erreur", message);
}

void fatalError(const std::u16string& message) {
    keepWorkAsideBeforeFatalEnd();
    closeWindow();
    showErrorBox(message);
    endProgram(1);
}

void endProgram(int status) {
    closeWindow();
    endProcess(status);
}
