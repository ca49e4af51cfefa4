// Window, events, drawing, pictures, fonts, sound and message boxes on SDL2.
#include <SDL_image.h>
#include <SDL_mixer.h>
#include <SDL_ttf.h>

#include <cstdio>
#include <cstdlib>
#include <unordered_map>
#include <vector>

#include "app/platform_internal.h"

namespace {

constexpr int OwnVoices = 256;   // one channel per loaded sample, by slot
constexpr int ExtraVoices = 32;  // voices that play alongside everything else
constexpr int ExtraVoiceGroup = 1;
constexpr const char* DefaultFontPath = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr int DefaultFontPixels = 14;

bool initialised = false;
bool soundReady = false;
SDL_Window* window = nullptr;
SDL_Surface* headlessScreen = nullptr;  // stands for the window's surface without a window
bool mouseDownOnSurface = false;

std::vector<SDL_Surface*> images(1);  // slot 0 is "none"
std::vector<TTF_Font*> fonts(1);
std::vector<Mix_Chunk*> sounds(1);
TTF_Font* defaultFont = nullptr;
ImageHandle tracedImage = 0;

struct DrawingTarget {
    SDL_Surface* surface = nullptr;
    bool isWindow = false;
    bool traced = false;
    Colour front = rgb(255, 255, 255);
    Colour back = rgb(0, 0, 0);
    DrawMode mode = DrawMode::OpaqueText;
    TTF_Font* font = nullptr;
};
DrawingTarget target;

// Rendered texts are kept, since pages draw the same labels at every redraw.
struct RenderedKey {
    TTF_Font* font;
    Colour colour;
    std::u16string text;
    bool operator==(const RenderedKey& other) const {
        return font == other.font && colour == other.colour && text == other.text;
    }
};
struct RenderedKeyHash {
    size_t operator()(const RenderedKey& key) const {
        return std::hash<std::u16string>()(key.text) ^ (std::hash<void*>()(key.font) * 31) ^
               static_cast<size_t>(key.colour);
    }
};
std::unordered_map<RenderedKey, SDL_Surface*, RenderedKeyHash> renderedTexts;
constexpr size_t RenderedTextLimit = 2048;

SDL_Surface* imageOf(ImageHandle image) {
    if (image == WindowSurface) return window != nullptr ? SDL_GetWindowSurface(window) : headlessScreen;
    if (image <= 0 || static_cast<size_t>(image) >= images.size()) return nullptr;
    return images[image];
}

ImageHandle keepImage(SDL_Surface* surface) {
    if (surface == nullptr) return 0;
    size_t slot = 1;
    while (slot < images.size() && images[slot] != nullptr) ++slot;
    if (slot == images.size()) images.push_back(nullptr);
    images[slot] = surface;
    return static_cast<ImageHandle>(slot);
}

Uint32 mapColour(SDL_Surface* surface, Colour colour) {
    return SDL_MapRGB(surface->format, colour & 255, (colour >> 8) & 255, (colour >> 16) & 255);
}

std::vector<Uint16> nulTerminated(const std::u16string& text) {
    std::vector<Uint16> units(text.begin(), text.end());
    units.push_back(0);
    return units;
}

void forgetRenderedTexts() {
    for (auto& entry : renderedTexts) SDL_FreeSurface(entry.second);
    renderedTexts.clear();
}

SDL_Surface* renderedText(const std::u16string& text) {
    RenderedKey key{target.font, target.front, text};
    auto found = renderedTexts.find(key);
    if (found != renderedTexts.end()) return found->second;
    if (renderedTexts.size() >= RenderedTextLimit) forgetRenderedTexts();
    const SDL_Color colour = {static_cast<Uint8>(target.front & 255), static_cast<Uint8>((target.front >> 8) & 255),
                              static_cast<Uint8>((target.front >> 16) & 255), 255};
    SDL_Surface* surface = TTF_RenderUNICODE_Blended(target.font, nulTerminated(text).data(), colour);
    if (surface == nullptr) return nullptr;
    SDL_SetSurfaceBlendMode(surface, SDL_BLENDMODE_BLEND);
    renderedTexts.emplace(std::move(key), surface);
    return surface;
}

void putPixel(SDL_Surface* surface, int x, int y, Uint32 pixel) {
    if (x < 0 || y < 0 || x >= surface->w || y >= surface->h) return;
    Uint8* row = static_cast<Uint8*>(surface->pixels) + y * surface->pitch;
    const int bytes = surface->format->BytesPerPixel;
    if (bytes == 4) {
        reinterpret_cast<Uint32*>(row)[x] = pixel;
    } else if (bytes == 3) {
        Uint8* at = row + x * 3;
        SDL_memcpy(at, &pixel, 3);
    }
}

PlatformEvent translate(const SDL_Event& event) {
    PlatformEvent result;
    switch (event.type) {
        case SDL_QUIT:
            result.kind = EventKind::CloseRequest;
            break;
        case SDL_MOUSEBUTTONDOWN:
            if (event.button.button == SDL_BUTTON_LEFT) mouseDownOnSurface = true;
            break;
        case SDL_MOUSEBUTTONUP:
            if (event.button.button == SDL_BUTTON_LEFT && mouseDownOnSurface) {
                mouseDownOnSurface = false;
                if (event.button.x >= 0 && event.button.y >= 0 && event.button.x < 800 && event.button.y < 600) {
                    result.kind = EventKind::Click;
                }
            }
            break;
        case SDL_MOUSEWHEEL: {
            int notches = event.wheel.y;
            if (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) notches = -notches;
            if (notches == 0) break;
            const SDL_Keymod held = SDL_GetModState();
            result.kind = EventKind::Wheel;
            result.wheelNotches = notches;
            result.modifiers = ((held & KMOD_SHIFT) ? ModShift : 0) | ((held & KMOD_ALT) ? ModAlt : 0) |
                               ((held & KMOD_CTRL) ? ModControl : 0);
            break;
        }
        case SDL_KEYUP: {
            result.kind = EventKind::KeyRelease;
            const SDL_Keycode key = event.key.keysym.sym;
            switch (key) {
                case SDLK_ESCAPE:
                    result.keyCode = KeyEscape;
                    break;
                case SDLK_RETURN:
                case SDLK_KP_ENTER:
                    result.keyCode = KeyReturn;
                    break;
                case SDLK_BACKSPACE:
                    result.keyCode = KeyBackspace;
                    break;
                case SDLK_UP:
                    result.keyCode = KeyUp;
                    break;
                case SDLK_DOWN:
                    result.keyCode = KeyDown;
                    break;
                case SDLK_PAGEUP:
                    result.keyCode = KeyPageUp;
                    break;
                case SDLK_PAGEDOWN:
                    result.keyCode = KeyPageDown;
                    break;
                default:
                    // Letters and digits as their capital codes; other keys
                    // outside the codes the program tests.
                    if (key >= SDLK_a && key <= SDLK_z)
                        result.keyCode = 'A' + (key - SDLK_a);
                    else if (key >= SDLK_0 && key <= SDLK_9)
                        result.keyCode = key;
                    else
                        result.keyCode = 0x10000 + (key & 0xFFFF);
            }
            break;
        }
        default:
            break;
    }
    return result;
}

// Characters of one text-input event, handed out one per poll.
std::u16string pendingTypedChars;

}  // namespace

bool headlessModeOn();

bool platformInit() {
    if (initialised) return true;
    if (headlessModeOn()) {
        // A silent sound device, unless the caller chose one.
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        if (SDL_Init(0) != 0) return false;
    } else {
        if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) return false;
    }
    if (TTF_Init() != 0) return false;
    IMG_Init(IMG_INIT_JPG | IMG_INIT_PNG);
    defaultFont = TTF_OpenFont(DefaultFontPath, DefaultFontPixels);
    if (defaultFont == nullptr) defaultFont = TTF_OpenFont("Fonts/DroidSansMono.ttf", DefaultFontPixels);
    initialised = true;
    return true;
}

void platformRelease() {
    if (!initialised) return;
    forgetRenderedTexts();
    if (soundReady) {
        Mix_HaltChannel(-1);
        for (Mix_Chunk*& chunk : sounds) {
            if (chunk != nullptr) Mix_FreeChunk(chunk);
            chunk = nullptr;
        }
        Mix_CloseAudio();
        Mix_Quit();
        soundReady = false;
    }
    for (SDL_Surface*& surface : images) {
        if (surface != nullptr) SDL_FreeSurface(surface);
        surface = nullptr;
    }
    for (TTF_Font*& font : fonts) {
        if (font != nullptr) TTF_CloseFont(font);
        font = nullptr;
    }
    if (defaultFont != nullptr) TTF_CloseFont(defaultFont);
    defaultFont = nullptr;
    if (headlessScreen != nullptr) SDL_FreeSurface(headlessScreen);
    headlessScreen = nullptr;
    IMG_Quit();
    TTF_Quit();
    SDL_Quit();
    initialised = false;
}

// ---------------------------------------------------------------------------
// Window and input.

bool openWindow(int width, int height) {
    if (headlessModeOn()) {
        headlessScreen = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_XRGB8888);
        return headlessScreen != nullptr;
    }
    window =
        SDL_CreateWindow("Orvalde", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height, SDL_WINDOW_SHOWN);
    return window != nullptr;
}

bool createDrawingSurface() {
    if (headlessModeOn()) return headlessScreen != nullptr;
    return window != nullptr && SDL_GetWindowSurface(window) != nullptr;
}

void focusDrawingSurface() {
    if (window == nullptr) return;
    SDL_RaiseWindow(window);
    SDL_StartTextInput();
}

void setWindowTitle(const std::u16string& title) {
    if (window != nullptr) SDL_SetWindowTitle(window, textToUtf8(title).c_str());
}

void closeWindow() {
    if (window != nullptr) SDL_DestroyWindow(window);
    window = nullptr;
}

PlatformEvent pollEvent(int maxWaitMs) {
    if (headlessModeOn()) return nextScriptEvent();
    PlatformEvent result;
    const Uint32 deadline = SDL_GetTicks() + static_cast<Uint32>(maxWaitMs > 0 ? maxWaitMs : 0);
    for (;;) {
        if (!pendingTypedChars.empty()) {
            result.kind = EventKind::CharTyped;
            result.charCode = pendingTypedChars.front();
            pendingTypedChars.erase(0, 1);
            return result;
        }
        const Sint32 remaining = static_cast<Sint32>(deadline - SDL_GetTicks());
        SDL_Event event;
        int got = 0;
        if (maxWaitMs < 0) {
            got = SDL_WaitEvent(&event);
        } else {
            got = remaining > 0 ? SDL_WaitEventTimeout(&event, remaining) : SDL_PollEvent(&event);
        }
        if (got == 0) return result;
        if (event.type == SDL_TEXTINPUT) {
            for (char16_t c : utf8ToText(event.text.text)) {
                if (c >= 32) pendingTypedChars.push_back(c);
            }
            continue;
        }
        result = translate(event);
        if (result.kind != EventKind::None) return result;
        // Events the program does not use (motion, key presses, window
        // changes) do not end the wait.
    }
}

void pointerPosition(int& x, int& y) {
    if (headlessModeOn()) {
        headlessPointer(x, y);
        return;
    }
    x = -1;
    y = -1;
    if (window == nullptr || !(SDL_GetWindowFlags(window) & SDL_WINDOW_MOUSE_FOCUS)) return;
    int px = 0;
    int py = 0;
    SDL_GetMouseState(&px, &py);
    if (px < 0 || py < 0 || px >= 800 || py >= 600) return;
    x = px;
    y = py;
}

void sleepMs(int64_t milliseconds) {
    if (headlessModeOn() || milliseconds <= 0) return;
    SDL_Delay(static_cast<Uint32>(milliseconds > 86400000 ? 86400000 : milliseconds));
}

// ---------------------------------------------------------------------------
// Drawing.

void beginDrawing(ImageHandle image) {
    target = DrawingTarget();
    target.surface = imageOf(image);
    target.isWindow = image == WindowSurface;
    target.traced = headlessModeOn() && image != WindowSurface && image == tracedImage;
    target.font = defaultFont;
}

void endDrawing() {
    if (target.isWindow && window != nullptr) SDL_UpdateWindowSurface(window);
    target = DrawingTarget();
}

void fillRect(int64_t x, int64_t y, int64_t width, int64_t height, Colour colour) {
    if (target.surface == nullptr || width <= 0 || height <= 0) return;
    // Clip in 64 bits first: values from files may be far outside the screen.
    const int64_t left = x < 0 ? 0 : x;
    const int64_t top = y < 0 ? 0 : y;
    const int64_t right = x + width > target.surface->w ? target.surface->w : x + width;
    const int64_t bottom = y + height > target.surface->h ? target.surface->h : y + height;
    if (right <= left || bottom <= top) return;
    SDL_Rect rect = {static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
                     static_cast<int>(bottom - top)};
    SDL_FillRect(target.surface, &rect, mapColour(target.surface, colour));
}

void fillRectFront(int64_t x, int64_t y, int64_t width, int64_t height) {
    fillRect(x, y, width, height, target.front);
}

void drawLine(int64_t x1, int64_t y1, int64_t x2, int64_t y2) {
    if (target.surface == nullptr) return;
    const int64_t limit = 1 << 20;
    if (x1 < -limit || x1 > limit || y1 < -limit || y1 > limit || x2 < -limit || x2 > limit || y2 < -limit ||
        y2 > limit) {
        return;
    }
    const Uint32 pixel = mapColour(target.surface, target.front);
    SDL_LockSurface(target.surface);
    int64_t dx = x2 > x1 ? x2 - x1 : x1 - x2;
    int64_t dy = y2 > y1 ? y1 - y2 : y2 - y1;
    const int64_t sx = x1 < x2 ? 1 : -1;
    const int64_t sy = y1 < y2 ? 1 : -1;
    int64_t error = dx + dy;
    for (;;) {
        putPixel(target.surface, static_cast<int>(x1), static_cast<int>(y1), pixel);
        if (x1 == x2 && y1 == y2) break;
        const int64_t twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x1 += sx;
        }
        if (twice <= dx) {
            error += dx;
            y1 += sy;
        }
    }
    SDL_UnlockSurface(target.surface);
}

void drawText(int64_t x, int64_t y, const std::u16string& text) {
    if (target.surface == nullptr || target.font == nullptr || text.empty()) return;
    if (target.traced) {
        headlessReport("text " + std::to_string(x) + " " + std::to_string(y) + " " + textToUtf8(text));
    }
    if (target.mode == DrawMode::OpaqueText) fillRect(x, y, textWidth(text), textHeight(text), target.back);
    SDL_Surface* rendered = renderedText(text);
    if (rendered == nullptr || x < -100000 || x > 100000 || y < -100000 || y > 100000) return;
    SDL_Rect at = {static_cast<int>(x), static_cast<int>(y), 0, 0};
    SDL_BlitSurface(rendered, nullptr, target.surface, &at);
}

int64_t textWidth(const std::u16string& text) {
    TTF_Font* font = target.font != nullptr ? target.font : defaultFont;
    if (font == nullptr || text.empty()) return 0;
    int width = 0;
    int height = 0;
    TTF_SizeUNICODE(font, nulTerminated(text).data(), &width, &height);
    return width;
}

int64_t textHeight(const std::u16string& text) {
    TTF_Font* font = target.font != nullptr ? target.font : defaultFont;
    if (font == nullptr || text.empty()) return 0;
    return TTF_FontHeight(font);
}

void setFrontColour(Colour colour) {
    target.front = colour;
}

void setDrawingMode(DrawMode mode) {
    target.mode = mode;
}

void selectFont(FontHandle font) {
    if (font > 0 && static_cast<size_t>(font) < fonts.size() && fonts[font] != nullptr) target.font = fonts[font];
}

void drawImage(ImageHandle image, int64_t x, int64_t y) {
    SDL_Surface* source = imageOf(image);
    if (target.surface == nullptr || source == nullptr || x < -100000 || x > 100000 || y < -100000 || y > 100000)
        return;
    SDL_SetSurfaceBlendMode(source, target.mode == DrawMode::AlphaBlend ? SDL_BLENDMODE_BLEND : SDL_BLENDMODE_NONE);
    SDL_Rect at = {static_cast<int>(x), static_cast<int>(y), 0, 0};
    SDL_BlitSurface(source, nullptr, target.surface, &at);
}

void drawImageScaled(ImageHandle image, int64_t x, int64_t y, int64_t width, int64_t height) {
    SDL_Surface* source = imageOf(image);
    if (target.surface == nullptr || source == nullptr || width <= 0 || height <= 0) return;
    const int64_t limit = 100000;
    if (x < -limit || x > limit || y < -limit || y > limit || width > limit || height > limit) return;
    SDL_SetSurfaceBlendMode(source, target.mode == DrawMode::AlphaBlend ? SDL_BLENDMODE_BLEND : SDL_BLENDMODE_NONE);
    SDL_Rect at = {static_cast<int>(x), static_cast<int>(y), static_cast<int>(width), static_cast<int>(height)};
    SDL_BlitScaled(source, nullptr, target.surface, &at);
}

void presentImage(ImageHandle image) {
    SDL_Surface* source = imageOf(image);
    SDL_Surface* screen = imageOf(WindowSurface);
    if (source == nullptr || screen == nullptr) return;
    SDL_SetSurfaceBlendMode(source, SDL_BLENDMODE_NONE);
    SDL_BlitSurface(source, nullptr, screen, nullptr);
    if (window != nullptr) SDL_UpdateWindowSurface(window);
}

SDL_Surface* presentedFrame() {
    return imageOf(WindowSurface);
}

void traceTextDrawnInto(ImageHandle image) {
    tracedImage = image;
}

// ---------------------------------------------------------------------------
// Images.

ImageHandle createImage(int64_t width, int64_t height, int depth) {
    if (width <= 0 || height <= 0 || width > 16384 || height > 16384) return 0;
    const Uint32 format = depth == 24 ? SDL_PIXELFORMAT_RGB24 : SDL_PIXELFORMAT_XRGB8888;
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, static_cast<int>(width), static_cast<int>(height),
                                                          depth == 24 ? 24 : 32, format);
    if (surface != nullptr) SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
    return keepImage(surface);
}

ImageHandle loadImage(const std::u16string& path) {
    SDL_Surface* loaded = IMG_Load(hostPath(path).c_str());
    if (loaded == nullptr) return 0;
    // One pixel format for every picture keeps blits fast; the alpha channel
    // is kept for pictures that have one (the icons).
    const bool hasAlpha = loaded->format->Amask != 0 || SDL_ISPIXELFORMAT_INDEXED(loaded->format->format);
    SDL_Surface* converted =
        SDL_ConvertSurfaceFormat(loaded, hasAlpha ? SDL_PIXELFORMAT_ARGB8888 : SDL_PIXELFORMAT_XRGB8888, 0);
    SDL_FreeSurface(loaded);
    return keepImage(converted);
}

ImageHandle grabImage(ImageHandle source, int64_t x, int64_t y, int64_t width, int64_t height) {
    SDL_Surface* from = imageOf(source);
    if (from == nullptr || width <= 0 || height <= 0 || width > 16384 || height > 16384) return 0;
    if (x < -100000 || x > 100000 || y < -100000 || y > 100000) return 0;
    SDL_Surface* copy = SDL_CreateRGBSurfaceWithFormat(0, static_cast<int>(width), static_cast<int>(height),
                                                       from->format->BitsPerPixel, from->format->format);
    if (copy == nullptr) return 0;
    SDL_FillRect(copy, nullptr, SDL_MapRGB(copy->format, 0, 0, 0));
    SDL_SetSurfaceBlendMode(from, SDL_BLENDMODE_NONE);
    SDL_Rect area = {static_cast<int>(x), static_cast<int>(y), static_cast<int>(width), static_cast<int>(height)};
    SDL_BlitSurface(from, &area, copy, nullptr);
    return keepImage(copy);
}

void freeImage(ImageHandle image) {
    if (image <= 0 || static_cast<size_t>(image) >= images.size() || images[image] == nullptr) return;
    SDL_FreeSurface(images[image]);
    images[image] = nullptr;
    if (tracedImage == image) tracedImage = 0;
}

int64_t imageWidth(ImageHandle image) {
    SDL_Surface* surface = imageOf(image);
    return surface == nullptr ? 0 : surface->w;
}

int64_t imageHeight(ImageHandle image) {
    SDL_Surface* surface = imageOf(image);
    return surface == nullptr ? 0 : surface->h;
}

Colour readPixel(ImageHandle image, int64_t x, int64_t y) {
    SDL_Surface* surface = imageOf(image);
    if (surface == nullptr || x < 0 || y < 0 || x >= surface->w || y >= surface->h) return -1;
    const Uint8* row = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
    Uint32 pixel = 0;
    SDL_memcpy(&pixel, row + x * surface->format->BytesPerPixel, surface->format->BytesPerPixel);
    Uint8 r = 0, g = 0, b = 0;
    SDL_GetRGB(pixel, surface->format, &r, &g, &b);
    return rgb(r, g, b);
}

bool saveImagePng(ImageHandle image, const std::u16string& path) {
    SDL_Surface* surface = imageOf(image);
    return surface != nullptr && IMG_SavePNG(surface, hostPath(path).c_str()) == 0;
}

int64_t liveImageCount() {
    int64_t count = 0;
    for (SDL_Surface* surface : images) count += surface != nullptr ? 1 : 0;
    return count;
}

// ---------------------------------------------------------------------------
// Fonts.

int screenDotsPerInch() {
    return 96;
}

FontHandle loadFont(const std::u16string& path, int points) {
    const int pixels = (points * screenDotsPerInch() + 36) / 72;
    TTF_Font* font = TTF_OpenFont(hostPath(path).c_str(), pixels > 0 ? pixels : 1);
    if (font == nullptr) return 0;
    fonts.push_back(font);
    return static_cast<FontHandle>(fonts.size() - 1);
}

// ---------------------------------------------------------------------------
// Sound.

bool initSound() {
    if (soundReady) return true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Mix_AllocateChannels(OwnVoices + ExtraVoices);
    Mix_GroupChannels(OwnVoices, OwnVoices + ExtraVoices - 1, ExtraVoiceGroup);
    soundReady = true;
    return true;
}

void enableOggDecoding() {
    if (soundReady) Mix_Init(MIX_INIT_OGG);
}

SoundHandle loadSound(const std::u16string& path) {
    if (!soundReady) return 0;
    Mix_Chunk* chunk = Mix_LoadWAV(hostPath(path).c_str());
    if (chunk == nullptr) return 0;
    size_t slot = 1;
    while (slot < sounds.size() && sounds[slot] != nullptr) ++slot;
    if (slot == sounds.size()) sounds.push_back(nullptr);
    sounds[slot] = chunk;
    return static_cast<SoundHandle>(slot);
}

static Mix_Chunk* chunkOf(SoundHandle sound) {
    if (!soundReady || sound <= 0 || static_cast<size_t>(sound) >= sounds.size()) return nullptr;
    return sounds[sound];
}

int64_t playSound(SoundHandle sound, bool extraVoice) {
    Mix_Chunk* chunk = chunkOf(sound);
    if (chunk == nullptr) return 0;
    int channel = (static_cast<int>(sound) - 1) % OwnVoices;
    if (extraVoice) {
        channel = Mix_GroupAvailable(ExtraVoiceGroup);
        if (channel < 0) channel = Mix_GroupOldest(ExtraVoiceGroup);
        if (channel < 0) return 0;
    }
    const int playing = Mix_PlayChannel(channel, chunk, 0);
    return playing < 0 ? 0 : playing + 1;
}

void stopSound(SoundHandle sound, int64_t voice) {
    Mix_Chunk* chunk = chunkOf(sound);
    if (chunk == nullptr || voice <= 0 || voice > OwnVoices + ExtraVoices) return;
    const int channel = static_cast<int>(voice - 1);
    if (Mix_GetChunk(channel) == chunk) Mix_HaltChannel(channel);
}

void stopAllSounds() {
    if (soundReady) Mix_HaltChannel(-1);
}

void freeSound(SoundHandle sound) {
    Mix_Chunk* chunk = chunkOf(sound);
    if (chunk == nullptr) return;
    for (int channel = 0; channel < OwnVoices + ExtraVoices; ++channel) {
        if (Mix_GetChunk(channel) == chunk) Mix_HaltChannel(channel);
    }
    Mix_FreeChunk(chunk);
    sounds[sound] = nullptr;
}

// ---------------------------------------------------------------------------
// Message box.

bool messageBox(const std::u16string& title, const std::u16string& text, bool yesNo) {
    const std::string title8 = textToUtf8(title);
    const std::string text8 = textToUtf8(text);
    if (headlessModeOn()) {
        headlessReport("box " + title8 + " | " + text8);
        return false;
    }
    if (!yesNo) {
        if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title8.c_str(), text8.c_str(), window) != 0) {
            std::fprintf(stderr, "%s: %s\n", title8.c_str(), text8.c_str());
        }
        return false;
    }
    const SDL_MessageBoxButtonData buttons[] = {{SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 1, "Oui"},
                                                {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "Non"}};
    const SDL_MessageBoxData data = {
        SDL_MESSAGEBOX_INFORMATION, window, title8.c_str(), text8.c_str(), 2, buttons, nullptr};
    int pressed = 0;
    if (SDL_ShowMessageBox(&data, &pressed) != 0) {
        std::fprintf(stderr, "%s: %s\n", title8.c_str(), text8.c_str());
        return false;
    }
    return pressed == 1;
}
