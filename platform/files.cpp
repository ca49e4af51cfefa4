// Files and folders. Paths arrive with "\" separators and are mapped to the
// host's here; every result reports failure instead of stopping anything.
//
// Project folders come from elsewhere and may hold anything under any name: a
// link to a file or folder outside, a named pipe, a device. So a file is only
// ever written under a name created afresh (never through a link or a file
// already there), only regular files are read, and a file replaces another
// by a rename, in one step, flushed to the disk on both sides of the rename.
#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

#include "platform/platform_internal.h"

std::string hostPath(const std::u16string& path) {
    std::string host = textToUtf8(path);
    for (char& c : host) {
        if (c == '\\') c = '/';
    }
    return host;
}

namespace {

constexpr size_t ReadChunk = 1 << 16;

// A file open for reading (a stream with its read-ahead) or for writing (a
// descriptor written with the system's own calls, so that every byte the
// system refuses is seen). A file that replaces another is written under a
// temporary name until it is finished.
struct OpenFile {
    FILE* stream = nullptr;
    int descriptor = -1;
    bool writeFailed = false;
    std::vector<char> buffer;  // read-ahead of a file open for reading
    size_t position = 0;
    size_t length = 0;
    std::string pending;        // written bytes not yet handed to the system
    std::string temporaryPath;  // host path of a replacement being written
    std::string replacedPath;   // host path it replaces once finished
    bool inMemory = false;      // written bytes stay pending, never handed over
};

constexpr size_t WriteChunk = 1 << 16;

// Hands the pending bytes to the system, as many calls as it takes; an error
// (a full disk, a failing device) marks the file failed.
void flushPending(OpenFile& file) {
    if (file.inMemory) return;
    size_t written = 0;
    while (!file.writeFailed && written < file.pending.size()) {
        const ssize_t count = write(file.descriptor, file.pending.data() + written, file.pending.size() - written);
        if (count > 0) {
            written += static_cast<size_t>(count);
        } else if (count == 0 || errno != EINTR) {
            file.writeFailed = true;
        }
    }
    file.pending.clear();
}

HandleTable<OpenFile> openFiles;
HandleTable<DIR> openListings;

OpenFile* fileOf(FileHandle file) {
    return openFiles.find(file);
}

FileHandle keepReadFile(FILE* stream) {
    if (stream == nullptr) return 0;
    OpenFile* file = new OpenFile();
    file->stream = stream;
    file->buffer.resize(ReadChunk);
    return openFiles.keep(file);
}

OpenFile* writtenFileOf(FileHandle file) {
    OpenFile* open = fileOf(file);
    return open != nullptr && (open->descriptor >= 0 || open->inMemory) ? open : nullptr;
}

OpenFile* readFileOf(FileHandle file) {
    OpenFile* open = fileOf(file);
    return open != nullptr && open->stream != nullptr ? open : nullptr;
}

// A new file made exclusively under the host path: what stood under the name
// (a file, or a link, never what it leads to) is removed first, and the file
// is made only if nothing is there by then, so nothing is ever written
// through a name that was there before (a folder stays, and this fails).
int createExclusively(const std::string& host) {
    unlink(host.c_str());
    return open(host.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
}

// Writes out what is pending and closes; true when every byte reached the
// file. With `durably`, the file is flushed to the disk before it is closed.
bool closeWritten(OpenFile& file, bool durably) {
    flushPending(file);
    bool ok = !file.writeFailed;
    if (durably && ok && fsync(file.descriptor) != 0) ok = false;
    if (close(file.descriptor) != 0) ok = false;
    file.descriptor = -1;
    return ok;
}

// Flushes the entries of the folder holding the host path (a new name given
// by a rename) to the disk. A file system that cannot flush a folder at all
// says so (EINVAL) and is taken as it is.
bool flushFolderOf(const std::string& host) {
    const size_t slash = host.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : host.substr(0, slash);
    const int descriptor = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) return false;
    const bool flushed = fsync(descriptor) == 0 || errno == EINVAL;
    close(descriptor);
    return flushed;
}

// A name beside the host path that no other process uses: the path, this
// process's number and a count.
std::string temporaryNameBeside(const std::string& host) {
    static uint64_t made = 0;
    return host + "." + std::to_string(getpid()) + "-" + std::to_string(++made) + ".tmp";
}

// Makes at least one unread byte available; false at the end of the file.
bool fillBuffer(OpenFile& file) {
    if (file.position < file.length) return true;
    file.length = std::fread(file.buffer.data(), 1, file.buffer.size(), file.stream);
    file.position = 0;
    return file.length > 0;
}

}  // namespace

std::u16string currentDirectory() {
    char buffer[4096];
    if (getcwd(buffer, sizeof buffer) == nullptr) return u"\\";
    std::u16string path = utf8ToText(buffer);
    for (char16_t& c : path) {
        if (c == u'/') c = u'\\';
    }
    if (path.empty() || path.back() != u'\\') path += u'\\';
    return path;
}

bool setCurrentDirectory(const std::u16string& path) {
    return chdir(hostPath(path).c_str()) == 0;
}

bool isRegularFile(const std::u16string& path) {
    struct stat info;
    return stat(hostPath(path).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

FILE* openRegularFile(const std::u16string& path) {
    // Checked before opening, so that a device is never opened at all, and
    // again on what was opened, in case the name changed in between. Opening
    // does not wait: a pipe without a writer would keep it waiting for ever.
    if (!isRegularFile(path)) return nullptr;
    const int descriptor = open(hostPath(path).c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0) return nullptr;
    struct stat info;
    FILE* stream = fstat(descriptor, &info) == 0 && S_ISREG(info.st_mode) ? fdopen(descriptor, "rb") : nullptr;
    if (stream == nullptr) close(descriptor);
    return stream;
}

SDL_RWops* streamOf(FILE* file) {
    SDL_RWops* stream = file == nullptr ? nullptr : SDL_RWFromFP(file, SDL_TRUE);
    if (stream == nullptr && file != nullptr) std::fclose(file);
    return stream;
}

// The host path without the separators at its end, which would make the
// system follow a link that the path's last name is.
static std::string lastNameUnfollowed(const std::u16string& path) {
    std::string host = hostPath(path);
    while (host.size() > 1 && host.back() == '/') host.pop_back();
    return host;
}

bool isOwnFolder(const std::u16string& path) {
    struct stat info;
    return lstat(lastNameUnfollowed(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool enterOwnFolder(const std::u16string& path) {
    const int folder = open(lastNameUnfollowed(path).c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (folder < 0) return false;
    const bool entered = fchdir(folder) == 0;
    close(folder);
    return entered;
}

int64_t fileSize(const std::u16string& path) {
    struct stat info;
    if (stat(hostPath(path).c_str(), &info) != 0) return -1;
    if (S_ISDIR(info.st_mode)) return -2;
    return static_cast<int64_t>(info.st_size);
}

bool ownFileModifiedAt(const std::u16string& path, int64_t& milliseconds) {
    struct stat info;
    if (lstat(lastNameUnfollowed(path).c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    milliseconds = static_cast<int64_t>(info.st_mtim.tv_sec) * 1000 + info.st_mtim.tv_nsec / 1000000;
    return true;
}

bool createFolder(const std::u16string& path) {
    return mkdir(hostPath(path).c_str(), 0777) == 0;
}

bool deleteFile(const std::u16string& path) {
    if (fileSize(path) < 0) return false;
    return unlink(hostPath(path).c_str()) == 0;
}

bool renameFile(const std::u16string& oldPath, const std::u16string& newPath) {
    return rename(hostPath(oldPath).c_str(), hostPath(newPath).c_str()) == 0;
}

bool copyFile(const std::u16string& from, const std::u16string& to) {
    // The bytes themselves are copied, so that the copy is a file of its own
    // whatever `from` is (a link, a second name of another file).
    FILE* source = openRegularFile(from);
    if (source == nullptr) return false;
    const FileHandle copy = beginReplacing(to);
    OpenFile* written = writtenFileOf(copy);
    std::vector<char> chunk(ReadChunk);
    size_t length = 0;
    while (written != nullptr && !written->writeFailed &&
           (length = std::fread(chunk.data(), 1, chunk.size(), source)) > 0) {
        written->pending.assign(chunk.data(), length);
        flushPending(*written);
    }
    const bool read = std::ferror(source) == 0;
    std::fclose(source);
    return finishReplacing(copy, read);
}

bool deleteFolder(const std::u16string& path) {
    struct stat info;
    const std::string host = hostPath(path);
    return lstat(host.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && rmdir(host.c_str()) == 0;
}

// The path with every link followed, ending without "/"; empty when it
// leads nowhere.
static std::string realHostPath(const std::u16string& path) {
    char* real = realpath(hostPath(path).c_str(), nullptr);
    if (real == nullptr) return "";
    std::string result(real);
    std::free(real);
    return result;
}

bool leadsToFileInside(const std::u16string& path, const std::u16string& folder) {
    const std::string file = realHostPath(path);
    const std::string inside = realHostPath(folder);
    return !file.empty() && !inside.empty() && file.rfind(inside + "/", 0) == 0 && isRegularFile(path);
}

std::u16string programFileFolder() {
    char buffer[4096];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0) return u"";
    std::u16string path = utf8ToText(std::string(buffer, static_cast<size_t>(length)));
    const size_t slash = path.rfind(u'/');
    if (slash == std::u16string::npos) return u"";
    path.resize(slash + 1);
    for (char16_t& c : path) {
        if (c == u'/') c = u'\\';
    }
    return path;
}

FolderListing openFolderListing(const std::u16string& folder) {
    return openListings.keep(opendir(hostPath(folder).c_str()));
}

bool nextFolderEntry(FolderListing listing, std::u16string& name, bool& isFolder) {
    DIR* folder = openListings.find(listing);
    if (folder == nullptr) return false;
    const dirent* entry = readdir(folder);
    if (entry == nullptr) return false;
    name = utf8ToText(entry->d_name);
    if (entry->d_type == DT_DIR) {
        isFolder = true;
    } else if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
        struct stat info;
        isFolder = fstatat(dirfd(folder), entry->d_name, &info, 0) == 0 && S_ISDIR(info.st_mode);
    } else {
        isFolder = false;
    }
    return true;
}

void closeFolderListing(FolderListing listing) {
    if (DIR* folder = openListings.take(listing)) closedir(folder);
}

FileHandle createFile(const std::u16string& path) {
    const int descriptor = createExclusively(hostPath(path));
    if (descriptor < 0) return 0;
    OpenFile* file = new OpenFile();
    file->descriptor = descriptor;
    return openFiles.keep(file);
}

FileHandle beginReplacing(const std::u16string& path) {
    const std::string replaced = hostPath(path);
    const std::string temporary = temporaryNameBeside(replaced);
    const FileHandle file = createFile(utf8ToText(temporary));
    if (OpenFile* open = fileOf(file)) {
        open->temporaryPath = temporary;
        open->replacedPath = replaced;
    }
    return file;
}

bool finishReplacing(FileHandle file, bool complete) {
    OpenFile* open = writtenFileOf(file);
    if (open == nullptr || open->temporaryPath.empty()) {
        closeFile(file);
        return false;
    }
    // The file's content reaches the disk before its name replaces the old
    // one, and the new name reaches it after: a power cut at any moment
    // leaves the old file or the new one, whole.
    bool done =
        complete && closeWritten(*open, true) && rename(open->temporaryPath.c_str(), open->replacedPath.c_str()) == 0;
    if (done) {
        done = flushFolderOf(open->replacedPath);
    } else {
        if (open->descriptor >= 0) close(open->descriptor);
        unlink(open->temporaryPath.c_str());
    }
    delete openFiles.take(file);
    return done;
}

FileHandle beginWritingInMemory() {
    OpenFile* file = new OpenFile();
    file->inMemory = true;
    return openFiles.keep(file);
}

std::string finishWritingInMemory(FileHandle file) {
    OpenFile* open = fileOf(file);
    std::string bytes;
    if (open == nullptr || !open->inMemory) return bytes;
    bytes.swap(open->pending);
    delete openFiles.take(file);
    return bytes;
}

FileHandle openFile(const std::u16string& path) {
    return keepReadFile(openRegularFile(path));
}

bool closeFile(FileHandle file) {
    OpenFile* open = fileOf(file);
    if (open == nullptr) return false;
    bool ok = true;
    if (!open->temporaryPath.empty()) {
        // A replacement closed without being finished is abandoned.
        close(open->descriptor);
        unlink(open->temporaryPath.c_str());
        ok = false;
    } else if (open->descriptor >= 0) {
        ok = closeWritten(*open, true);
    }
    if (open->stream != nullptr && std::fclose(open->stream) != 0) ok = false;
    delete openFiles.take(file);
    return ok;
}

static void stopWatchingFolder();

void releaseFiles() {
    stopWatchingFolder();
    for (size_t slot = 1; slot < openFiles.slots.size(); ++slot) closeFile(static_cast<FileHandle>(slot));
    for (size_t slot = 1; slot < openListings.slots.size(); ++slot)
        closeFolderListing(static_cast<FolderListing>(slot));
    openFiles.slots.assign(1, nullptr);
    openListings.slots.assign(1, nullptr);
}

// Ends the line just appended to the pending bytes, which go to the system
// once there are enough of them; false once writing has failed.
static bool endLine(OpenFile& open) {
    open.pending += "\r\n";
    if (open.pending.size() >= WriteChunk) flushPending(open);
    return !open.writeFailed;
}

bool writeLine(FileHandle file, const std::u16string& text) {
    OpenFile* open = writtenFileOf(file);
    if (open == nullptr) return false;
    appendUtf8(text, open->pending);
    return endLine(*open);
}

// The bytes of the next line without its end (LF, CR, CR LF or NUL end a
// line): a line within the read-ahead is given where it lies; one that goes
// on past it is gathered first into `gathered`. Nothing at the end of the file.
static std::string_view nextLineBytes(OpenFile& open, std::string& gathered) {
    gathered.clear();
    while (fillBuffer(open)) {
        const char* start = open.buffer.data() + open.position;
        const size_t available = open.length - open.position;
        const size_t end = std::find_if(start, start + available,
                                        [](char c) { return c == '\n' || c == '\r' || c == '\0'; }) -
                           start;
        open.position += end;
        if (end == available) {
            gathered.append(start, end);  // the line goes on in the next chunk
            continue;
        }
        const char ending = start[end];
        ++open.position;
        if (ending == '\r' && fillBuffer(open) && open.buffer[open.position] == '\n') ++open.position;
        if (gathered.empty()) return {start, end};
        gathered.append(start, end);
        return gathered;
    }
    return gathered;
}

std::u16string readLine(FileHandle file) {
    OpenFile* open = readFileOf(file);
    std::u16string line;
    if (open == nullptr) return line;
    std::string gathered;
    const std::string_view bytes = nextLineBytes(*open, gathered);
    appendUtf16(bytes.data(), bytes.size(), line);
    return line;
}

int64_t readIntegerLine(FileHandle file) {
    OpenFile* open = readFileOf(file);
    if (open == nullptr) return 0;
    static std::string gathered;  // kept: the lines of numbers are many
    const std::string_view bytes = nextLineBytes(*open, gathered);
    return bytesToInteger(bytes.data(), bytes.size(), true);
}

bool writeIntegerLine(FileHandle file, int64_t value) {
    OpenFile* open = writtenFileOf(file);
    if (open == nullptr) return false;
    appendDecimal(value, open->pending);
    return endLine(*open);
}

bool endOfFile(FileHandle file) {
    OpenFile* open = readFileOf(file);
    if (open == nullptr) return true;
    return !fillBuffer(*open);
}

bool writeInteger(FileHandle file, int64_t value) {
    OpenFile* open = writtenFileOf(file);
    if (open == nullptr) return false;
    const uint64_t bits = static_cast<uint64_t>(value);
    for (int i = 0; i < 8; ++i) open->pending.push_back(static_cast<char>(bits >> (8 * i)));
    if (open->pending.size() >= WriteChunk) flushPending(*open);
    return !open->writeFailed;
}

bool readInteger(FileHandle file, int64_t& value) {
    OpenFile* open = readFileOf(file);
    if (open == nullptr) return false;
    uint64_t bits = 0;
    for (int i = 0; i < 8; ++i) {
        if (!fillBuffer(*open)) return false;
        bits |= static_cast<uint64_t>(static_cast<unsigned char>(open->buffer[open->position++])) << (8 * i);
    }
    value = static_cast<int64_t>(bits);
    return true;
}

// ---------------------------------------------------------------------------
// Watching one folder for changes (inotify).

namespace {

int watchDescriptor = -1;  // the inotify instance, opened on first use
int folderWatch = -1;      // the watch on watchedFolder, -1 when none
std::string watchedFolder;
int64_t changeStamp = 0;

// Reads every pending notification; true when there was one. A watch the
// system dropped (folder removed or renamed) is forgotten.
bool drainNotifications() {
    bool any = false;
    alignas(inotify_event) char buffer[4096];
    for (;;) {
        const ssize_t got = read(watchDescriptor, buffer, sizeof buffer);
        if (got <= 0) return any;
        any = true;
        for (ssize_t at = 0; at < got;) {
            const inotify_event* event = reinterpret_cast<const inotify_event*>(buffer + at);
            if ((event->mask & IN_IGNORED) && event->wd == folderWatch) folderWatch = -1;
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
}

}  // namespace

static void stopWatchingFolder() {
    if (watchDescriptor >= 0) close(watchDescriptor);
    watchDescriptor = -1;
    folderWatch = -1;
    watchedFolder.clear();
}

int64_t folderChangeStamp(const std::u16string& folder) {
    if (watchDescriptor < 0) watchDescriptor = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (watchDescriptor < 0) return -1;
    const std::string host = hostPath(folder);
    if (drainNotifications()) ++changeStamp;
    if (folderWatch < 0 || host != watchedFolder) {
        if (folderWatch >= 0) inotify_rm_watch(watchDescriptor, folderWatch);
        drainNotifications();
        constexpr uint32_t Changes = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_CLOSE_WRITE | IN_MODIFY |
                                     IN_ATTRIB | IN_DELETE_SELF | IN_MOVE_SELF;
        folderWatch = inotify_add_watch(watchDescriptor, host.c_str(), Changes);
        watchedFolder = host;
        ++changeStamp;
    }
    return folderWatch < 0 ? -1 : changeStamp;
}
