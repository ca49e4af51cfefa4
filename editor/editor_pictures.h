// The pictures of the editor's pages, drawn at build time into "Images":
// the decorations of the text and vocabulary pages, the compass of the
// movements page and the delete icons of the event pages.
#pragma once

#include "platform/platform.h"

enum EditorPicture {
    MessagesDecoration,  // messages and system messages
    PlacesDecoration,    // rooms and objects
    VocabularyDecoration,
    Compass,
    DeleteIcon,
    DeleteIconSelected,
    EditorPictureCount
};
extern ImageHandle editorPictures[EditorPictureCount];

// Loads the pictures from "Images"; false when one or more could not be
// loaded (every one is tried).
bool loadEditorPictures();
