// The pictures of the editor's pages, loaded once at the editor's start.
#include "editor/editor_pictures.h"

#include <string>

ImageHandle editorPictures[EditorPictureCount];

bool loadEditorPictures() {
    static const char16_t* const fileNames[EditorPictureCount] = {u"deco1.png", u"deco2.png", u"deco3.png",
                                                                  u"nseo.png",  u"suppr.png", u"supprSel.png"};
    bool loaded = true;
    for (int picture = 0; picture < EditorPictureCount; ++picture) {
        editorPictures[picture] = loadImage(u"Images\\" + std::u16string(fileNames[picture]));
        loaded = loaded && editorPictures[picture] != 0;
    }
    return loaded;
}
