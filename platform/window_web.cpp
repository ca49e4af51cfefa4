// The web player's window: the page's canvas through SDL's own web driver
// (the window itself, its events and the pointer are shared with the real
// window, window_sdl_common.cpp), the wait for the player's next action,
// presenting a frame, messages given to the page, and the folder whose files
// the browser keeps for the site.
//
// The program runs as on the desktop, its loops waiting deep inside a turn:
// linked with emscripten's ASYNCIFY, a wait suspends the program and hands the
// browser back its events, and the program resumes where it waited.
#include <emscripten.h>
#include <unistd.h>

#include <cmath>

#include "platform/platform_internal.h"
#include "platform/web.h"

namespace {

// Every key and button of the page wakes a waiting program, once the event
// has reached all its listeners (SDL's among them), so that SDL's queue then
// holds it. "Module.orvaldeWake" resumes the program; it is set only while
// the program waits for the player with nothing left to do.
EM_JS(void, watchBrowserEvents, (), {
    if (Module.orvaldeWake !== undefined) return;
    Module.orvaldeWake = null;
    const wake = () => {
        const resume = Module.orvaldeWake;
        Module.orvaldeWake = null;
        if (resume) setTimeout(resume, 0);
    };
    for (const type of ["keydown", "keypress", "keyup", "mousedown", "mouseup", "wheel"]) {
        window.addEventListener(type, wake, true);
    }
});

// Suspends the program until an event comes, or for at most `ms`
// milliseconds (negative: as long as it takes).
EM_ASYNC_JS(void, waitForBrowserEvent, (int ms), {
    await new Promise((resolve) => {
        const timer = ms >= 0 ? setTimeout(() => {
            Module.orvaldeWake = null;
            resolve();
        }, ms) : null;
        Module.orvaldeWake = () => {
            if (timer !== null) clearTimeout(timer);
            resolve();
        };
    });
});

// A message for the player: the page shows it when it can
// (Module.orvaldeMessage), the browser's console always has it.
EM_JS(void, showMessageInPage, (const char* title, const char* text), {
    const titleText = UTF8ToString(title);
    const messageText = UTF8ToString(text);
    console.error(titleText + ": " + messageText);
    if (typeof Module.orvaldeMessage === "function") Module.orvaldeMessage(titleText, messageText);
});

// The canvas's last frame as its own background, which stays when the
// canvas is emptied.
EM_JS(void, keepCanvasFrame, (), {
    const canvas = Module.canvas;
    if (!canvas || canvas.width === 0) return;
    canvas.style.backgroundImage = "url(" + canvas.toDataURL() + ")";
    canvas.style.backgroundSize = "100% 100%";
});

// A rectangle of the window's surface (pixels of 4 bytes, blue, green, red,
// unused) put on the canvas, opaque, where it lies.
EM_JS(void, putOnCanvas, (const unsigned char* pixels, int pitch, int x, int y, int width, int height), {
    const context = Module.canvas.getContext("2d");
    const image = context.createImageData(width, height);
    const data = image.data;
    for (let row = 0; row < height; ++row) {
        let from = pixels + (y + row) * pitch + x * 4;
        let to = row * width * 4;
        for (let column = 0; column < width; ++column, from += 4, to += 4) {
            data[to] = HEAPU8[from + 2];
            data[to + 1] = HEAPU8[from + 1];
            data[to + 2] = HEAPU8[from];
            data[to + 3] = 255;
        }
    }
    context.putImageData(image, x, y);
});

// The browser's storage (IndexedDB) behind the folder, and what it kept
// brought back; 0 when the browser refuses its storage.
//
// Emscripten writes such a storage whole, as this page has it: games another
// page of the site (the same game in a second tab) saved since this page read
// it would be lost. So before this page writes, it takes in what the storage
// holds that is newer than its own or that it never had.
EM_ASYNC_JS(int, mountSiteStorage, (const char* folder), {
    const path = UTF8ToString(folder);
    try {
        FS.mkdirTree(path);
        FS.mount(IDBFS, {}, path);
    } catch (error) {
        return 0;
    }
    const writeWhole = IDBFS.syncfs;
    const had = new Set();
    const noteWhatIsHere = (mount, then) => IDBFS.getLocalSet(mount, (error, local) => {
        if (!error) Object.keys(local.entries).forEach((key) => had.add(key));
        then(error);
    });
    IDBFS.syncfs = (mount, populate, callback) => {
        if (mount.mountpoint !== path) return writeWhole(mount, populate, callback);
        if (populate) return writeWhole(mount, true, (error) => error ? callback(error) : noteWhatIsHere(mount, callback));
        IDBFS.getLocalSet(mount, (error, local) => {
            if (error) return callback(error);
            IDBFS.getRemoteSet(mount, (error, remote) => {
                if (error) return callback(error);
                const taken = Object.keys(remote.entries).filter((key) => local.entries[key] ?
                    remote.entries[key].timestamp > local.entries[key].timestamp : !had.has(key)).sort();
                const store = remote.db.transaction([IDBFS.DB_STORE_NAME], "readonly").objectStore(IDBFS.DB_STORE_NAME);
                const takeNext = () => {
                    if (taken.length === 0) {
                        return noteWhatIsHere(mount, (error) => error ? callback(error) : writeWhole(mount, false, callback));
                    }
                    const key = taken.shift();
                    IDBFS.loadRemoteEntry(store, key, (error, entry) => {
                        if (error) return callback(error);
                        IDBFS.storeLocalEntry(key, entry, (error) => error ? callback(error) : takeNext());
                    });
                };
                takeNext();
            });
        });
    };
    const brought = await new Promise((resolve) => FS.syncfs(true, (error) => resolve(error ? 0 : 1)));
    if (!brought) FS.unmount(path);
    return brought;
});

std::string absoluteHostPath(std::string host) {
    if (!host.empty() && host[0] == '/') return host;
    char folder[4096];
    if (getcwd(folder, sizeof folder) == nullptr) return host;
    return std::string(folder) + "/" + host;
}

}  // namespace

bool platformInit() {
    if (layerStarted()) return true;
    watchBrowserEvents();
    // The canvas is drawn from the window's own image, as the real window is.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) return false;
    if (startDrawing()) return true;
    SDL_Quit();
    return false;
}

PlatformEvent pollEvent(int maxWaitMs) {
    const double deadline = emscripten_get_now() + (maxWaitMs > 0 ? maxWaitMs : 0);
    for (;;) {
        const PlatformEvent event = takeQueuedEvent();
        if (event.kind != EventKind::None || maxWaitMs == 0) return event;
        // SDL ends a round of polls at a mark it put in its queue; events
        // that came while the program was suspended in that round stand
        // after the mark, and are taken before any wait.
        SDL_PumpEvents();
        if (SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT)) continue;
        int wait = -1;
        if (maxWaitMs > 0) {
            const double remaining = deadline - emscripten_get_now();
            if (remaining <= 0) return event;
            wait = static_cast<int>(std::ceil(remaining));
        }
        waitForBrowserEvent(wait);
    }
}

// Presents as the real window does, then puts only the rectangles that
// changed on the canvas; SDL's web driver would put the whole surface there
// at every frame. A surface of another pixel layout than the one copied here
// goes to the canvas whole, through the driver.
void presentImage(ImageHandle image) {
    const std::vector<SDL_Rect>& changed = presentOntoWindowSurface(image);
    SDL_Surface* screen = windowSurface();
    if (changed.empty() || screen == nullptr) return;
    if (screen->format->format != SDL_PIXELFORMAT_XRGB8888) {
        SDL_UpdateWindowSurface(sdlWindow());
        return;
    }
    for (const SDL_Rect& rect : changed) {
        putOnCanvas(static_cast<const unsigned char*>(screen->pixels), screen->pitch, rect.x, rect.y, rect.w, rect.h);
    }
}

void keepLastFrameShown() {
    keepCanvasFrame();
}

void messageBox(const std::u16string& title, const std::u16string& text) {
    showMessageInPage(textToUtf8(title).c_str(), textToUtf8(text).c_str());
}

// ---------------------------------------------------------------------------
// The folder kept in the browser's storage (web.h).

// The storage is written by the flushes of every file the program keeps
// (finishReplacing): emscripten's flush of a file or folder in the storage's
// folder writes the storage, and fails when the browser refuses it.
bool keepFolderInSiteStorage(const std::u16string& folder) {
    std::string host = absoluteHostPath(hostPath(folder));
    while (host.size() > 1 && host.back() == '/') host.pop_back();
    return mountSiteStorage(host.c_str()) != 0;
}
