// The pictures of the editor's pages, drawn at build time into "Images":
// the decorations of the text and vocabulary pages, the compass of the
// movements page and the delete icons of the event pages.
#pragma once

#include "platform/platform.h"

extern ImageHandle decoImage1;  // messages and system messages
extern ImageHandle decoImage2;  // rooms and objects
extern ImageHandle decoImage3;  // vocabulary
extern ImageHandle compassImage;
extern ImageHandle deleteIcon;
extern ImageHandle deleteIconSelected;

// Loads the six pictures from "Images"; false when one or more could not be
// loaded (every one is tried).
bool loadEditorPictures();
