// "--publier NOM DOSSIER": the site of a project, written by the program
// itself (the author needs no compiler): the page, the web player built with
// the program (its "web" folder), and under "jeu/" the game font, the
// interface pictures and the project's files as the player finds them in the
// working folder.
//
// The site is made in a fresh folder beside DOSSIER and renamed onto it once
// complete, so that DOSSIER holds a whole site or stays as it was; on any
// failure what was made is taken away again.
#include <cstdio>

#include "app/publishing.h"
#include "model/adventure_file.h"
#include "model/project.h"
#include "platform/program.h"

namespace {

// The web player, beside the program's own file.
constexpr const char16_t* WebPlayerFiles[] = {u"orvalde-web.js", u"orvalde-web.wasm"};
constexpr const char16_t* WebPlayerFolder = u"web";
// What player mode loads of the working folder besides the project: the
// game font and the game screen's default background.
constexpr const char16_t* InterfaceFiles[] = {u"Fonts\\DroidSansMono.ttf", u"Images\\ecran.jpg"};
// The project's media the game reads besides the pictures and sounds named
// by a number from 0 to 255.
constexpr const char16_t* ProjectMedia[] = {u"ecran.jpg", u"introduction.jpg", u"introduction.ogg"};
constexpr int MediaNumbers = 256;
constexpr int StagingTries = 1000;

std::u16string siteFolder;                 // DOSSIER, without a separator at its end
std::u16string staging;                    // the folder the site is made in
std::vector<std::u16string> madeFiles;     // under staging, to take away on failure
std::vector<std::u16string> madeFolders;   // the same, outermost first
std::vector<std::u16string> laidOutFiles;  // site paths the page lays out
int64_t siteBytes = 0;

// Everything made so far taken away, then the refusal as player mode's.
[[noreturn]] void refuse(const std::u16string& message) {
    for (auto file = madeFiles.rbegin(); file != madeFiles.rend(); ++file) deleteFile(*file);
    for (auto folder = madeFolders.rbegin(); folder != madeFolders.rend(); ++folder) deleteFolder(*folder);
    fatalError(message);
}

[[noreturn]] void cannotWrite() {
    refuse(u"Impossible d'écrire le site dans '" + siteFolder + u"' !");
}

void makeFolder(const std::u16string& path) {
    if (!createFolder(path)) cannotWrite();
    madeFolders.push_back(path);
}

// The site path ("/"-separated) of a "\"-separated path.
std::u16string sitePath(std::u16string path) {
    for (char16_t& c : path) {
        if (c == u'\\') c = u'/';
    }
    return path;
}

// Copies a file into the site under `to` ("\"-separated, relative to it);
// `laidOut` when the page puts it under "/jeu" for the player.
void copyIntoSite(const std::u16string& from, const std::u16string& to, bool laidOut) {
    const std::u16string path = staging + u"\\" + to;
    if (!copyFile(from, path)) cannotWrite();
    madeFiles.push_back(path);
    siteBytes += fileSize(path);
    if (laidOut) laidOutFiles.push_back(sitePath(to));
}

// Whether the folder (which exists) holds nothing.
bool folderIsEmpty(const std::u16string& folder) {
    const FolderListing listing = openFolderListing(folder);
    if (listing == 0) return false;
    std::u16string name;
    bool isFolder = false;
    bool empty = true;
    while (empty && nextFolderEntry(listing, name, isFolder)) empty = name == u"." || name == u"..";
    closeFolderListing(listing);
    return empty;
}

void checkSiteFolder() {
    const int64_t size = fileSize(siteFolder);
    if (size >= 0) refuse(u"'" + siteFolder + u"' n'est pas un dossier !");
    if (size == -2 && !folderIsEmpty(siteFolder)) refuse(u"Le dossier '" + siteFolder + u"' n'est pas vide !");
}

// A fresh folder beside the site's, made exclusively.
void makeStagingFolder() {
    for (int attempt = 1; attempt <= StagingTries; ++attempt) {
        staging = siteFolder + u".tmp" + integerToText(attempt);
        if (createFolder(staging)) {
            madeFolders.push_back(staging);
            return;
        }
        if (fileSize(staging) == -1) break;  // not taken: the parent refuses
    }
    cannotWrite();
}

// The project's files the game reads. A file that leads out of the project
// (a link to elsewhere) is not published: the site would carry what is not
// the author's to give.
void copyProjectFiles(const std::u16string& name, const std::u16string& folder) {
    std::vector<std::u16string> names = {name + u".orv"};
    for (const char16_t* media : ProjectMedia) names.push_back(media);
    for (int number = 0; number < MediaNumbers; ++number) {
        names.push_back(integerToText(number) + u".jpg");
        names.push_back(integerToText(number) + u".ogg");
    }
    const std::u16string project = programFolder + folder;
    for (const std::u16string& file : names) {
        if (fileSize(project + file) <= 0) continue;
        if (!leadsToFileInside(project + file, project)) {
            std::printf("Non publié (mène hors du projet) : %s\n", textToUtf8(folder + file).c_str());
            continue;
        }
        copyIntoSite(project + file, u"jeu\\" + folder + file, true);
    }
}

void writePage(const std::u16string& name) {
    const std::u16string path = staging + u"\\index.html";
    const FileHandle file = createFile(path);
    if (file == 0) cannotWrite();
    madeFiles.push_back(path);
    std::u16string page = webPage(name, laidOutFiles);
    bool written = true;
    for (size_t start = 0; start < page.size();) {
        size_t end = page.find(u'\n', start);
        if (end == std::u16string::npos) end = page.size();
        written = writeLine(file, page.substr(start, end - start)) && written;
        start = end + 1;
    }
    if (!closeFile(file) || !written) cannotWrite();
    siteBytes += fileSize(path);
}

}  // namespace

void runPublishing(const std::u16string& name, const std::u16string& folder) {
    programFolder = currentDirectory();
    siteFolder = folder;
    while (siteFolder.size() > 1 && (siteFolder.back() == u'/' || siteFolder.back() == u'\\')) siteFolder.pop_back();

    // The project as player mode finds it: a name inside "Projets", a folder
    // of its own there (not a link to elsewhere), an adventure that loads.
    const std::u16string projectPath = projectFolderOf(name);
    if (!isProjectName(name)) refuse(u"Fichier '" + projectPath + name + u".orv' introuvable !");
    loadAdventure(name + u".orv", projectPath);
    checkSiteFolder();
    makeStagingFolder();

    const std::u16string player = programFileFolder() + WebPlayerFolder + u"\\";
    for (const char16_t* file : WebPlayerFiles) {
        if (fileSize(player + file) <= 0) refuse(u"Fichier '" + player + file + u"' introuvable !");
    }
    for (const char16_t* file : InterfaceFiles) {
        if (fileSize(programFolder + file) <= 0) refuse(u"Fichier '" + std::u16string(file) + u"' introuvable !");
    }
    for (const char16_t* sub : {u"jeu", u"jeu\\Fonts", u"jeu\\Images", u"jeu\\Projets"}) {
        makeFolder(staging + u"\\" + sub);
    }
    makeFolder(staging + u"\\jeu\\" + projectPath);
    for (const char16_t* file : WebPlayerFiles) copyIntoSite(player + file, file, false);
    for (const char16_t* file : InterfaceFiles) copyIntoSite(programFolder + file, u"jeu\\" + std::u16string(file), true);
    copyProjectFiles(name, projectPath);
    writePage(name);
    // The whole site takes the folder's place in one step (an empty folder
    // there is replaced; one that filled meanwhile makes the rename fail).
    if (!renameFile(staging, siteFolder)) cannotWrite();
    std::printf("Site de « %s » écrit dans %s : %lld fichiers, %lld octets. Ouvrez-y index.html depuis un serveur web.\n",
                textToUtf8(name).c_str(), textToUtf8(siteFolder).c_str(),
                static_cast<long long>(madeFiles.size()), static_cast<long long>(siteBytes));
    endProgram(0);
}
