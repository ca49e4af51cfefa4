// The pictures of the editor's pages, loaded once at the editor's start.
#include "editor/editor_pictures.h"

ImageHandle decoImage1 = 0;
ImageHandle decoImage2 = 0;
ImageHandle decoImage3 = 0;
ImageHandle compassImage = 0;
ImageHandle deleteIcon = 0;
ImageHandle deleteIconSelected = 0;

bool loadEditorPictures() {
    const struct {
        ImageHandle* picture;
        const char16_t* fileName;
    } pictures[] = {{&decoImage1, u"deco1.png"},  {&decoImage2, u"deco2.png"}, {&decoImage3, u"deco3.png"},
                    {&compassImage, u"nseo.png"}, {&deleteIcon, u"suppr.png"}, {&deleteIconSelected, u"supprSel.png"}};
    bool loaded = true;
    for (const auto& entry : pictures) {
        *entry.picture = loadImage(u"Images\\" + std::u16string(entry.fileName));
        loaded = loaded && *entry.picture != 0;
    }
    return loaded;
}
