// The editor's top level: its start, the introduction, the editor's initial
// state and loop, and the whole run of the editor. What playing a project
// needs is in startup.h.
#pragma once

#include <string>

// The start-up of startup.h, then the introduction picture and the editor's
// pictures. Every failure is fatal.
void startEditor();
// The introduction picture until a click, Escape or Return.
void showIntroduction();
// The editor's initial state and the default adventure, on the menu page.
void initialiseEditor();
// The unsaved work that earlier runs kept aside, offered back one copy after
// the other, newest first: taken back, or set aside for good.
void offerWorkCopies();
// The editor loop; returns when the author leaves it (Escape on the menu, "QUITTER").
void runMainLoop();
// The whole program: start-up, introduction, editor loop, end.
[[noreturn]] void runOrvalde();
// --carte: the map of the project written as an SVG picture at the path,
// without a window; status 0, or 1 when the project cannot be loaded or the
// picture written (the reason on standard error).
[[noreturn]] void runMapExport(const std::u16string& name, const std::u16string& picture);
