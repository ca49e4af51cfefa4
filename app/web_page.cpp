// The page of a published game (index.html): the 800 x 600 canvas centred and
// scaled down to a smaller window, the keyboard kept on the game, the
// published files laid out for the web player before it starts, and what the
// player is told in French when the browser cannot run it, when the program
// has a message and when the game is over. Nothing is fetched from anywhere
// but the page's own folder.
#include "app/publishing.h"

namespace {

// The page; "@GAME@" stands for the game's description (its project's name
// and the files to lay out), a JavaScript object.
constexpr const char16_t* PageText = uR"PAGE(<!DOCTYPE html>
<html lang="fr">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>Orvalde</title>
<style>
  html, body { margin: 0; height: 100%; background: #303030; }
  body { display: flex; align-items: center; justify-content: center; overflow: hidden; }
  #canvas {
    display: block; background: #000; outline: none;
    width: min(800px, 100vw, calc(100vh * 4 / 3)) !important; height: min(600px, 75vw, 100vh) !important;
  }
  #message {
    position: fixed; left: 50%; top: 50%; transform: translate(-50%, -50%); box-sizing: border-box;
    max-width: min(36em, 90vw); padding: 1em 1.5em; background: #fff; color: #000;
    border: 2px solid #000; font: 16px/1.4 sans-serif; text-align: center;
  }
  #message[hidden] { display: none; }
  #message h1 { font-size: 18px; margin: 0 0 0.5em; }
  #message p { margin: 0.5em 0; }
  #message button { font: inherit; margin-top: 0.5em; padding: 0.2em 1.5em; background: #fff; border: 1px solid #000; }
</style>
</head>
<body>
<canvas id="canvas" width="800" height="600" tabindex="0"></canvas>
<div id="message" role="alert">
  <noscript><p>Ce jeu a besoin de JavaScript : activez-le dans votre navigateur, puis rechargez la page.</p></noscript>
</div>
<script>
"use strict";
const game = @GAME@;
const canvas = document.getElementById("canvas");
const message = document.getElementById("message");
let messageShown = false;

// A message over the game, with a button when there is something to do.
function showMessage(title, lines, button, action) {
  message.textContent = "";
  if (title) message.appendChild(document.createElement("h1")).textContent = title;
  for (const line of lines) message.appendChild(document.createElement("p")).textContent = line;
  if (button) {
    const press = message.appendChild(document.createElement("button"));
    press.textContent = button;
    press.addEventListener("click", action);
    press.focus();
  }
  message.hidden = false;
  messageShown = true;
}
function hideMessage() {
  message.hidden = true;
  messageShown = false;
  canvas.focus();
}
function cannotRun() {
  showMessage("Ce navigateur ne peut pas lancer le jeu.", [
    "Ouvrez cette page dans une version récente de Firefox, Chromium, Chrome, Edge ou Safari, " +
      "avec JavaScript activé.",
    "Si vous l'avez ouverte comme un fichier de votre disque, faites-la servir par un serveur web : " +
      "par exemple « python3 -m http.server » dans son dossier, puis l'adresse http://localhost:8000/."]);
}

// The keyboard stays with the game: the page has nothing else to type into.
canvas.focus();
document.addEventListener("mousedown", () => { if (!messageShown) setTimeout(() => canvas.focus(), 0); });
canvas.addEventListener("contextmenu", (event) => event.preventDefault());

// Every published file laid out at its place under "/jeu" before the
// program starts.
function layOutFiles() {
  Module.addRunDependency("jeu");
  const encoded = (path) => path.split("/").map(encodeURIComponent).join("/");
  Promise.all(game.files.map((path) =>
    fetch(encoded(path)).then((response) => {
      if (!response.ok) throw new Error(path + " : " + response.status);
      return response.arrayBuffer();
    }).then((data) => {
      Module.FS.mkdirTree("/" + path.substring(0, path.lastIndexOf("/")));
      Module.FS.writeFile("/" + path, new Uint8Array(data));
    })))
    .then(() => { hideMessage(); Module.removeRunDependency("jeu"); })
    .catch((error) => { console.error(error); cannotRun(); });
}

var Module = {
  canvas: canvas,
  arguments: [game.name],
  preRun: [layOutFiles],
  print: (text) => console.log(text),
  printErr: (text) => console.error(text),
  orvaldeMessage: (title, text) => showMessage(title, [text], "OK", hideMessage),
  onAbort: cannotRun,
  onExit: (status) => {
    if (messageShown) return;
    if (status === 0) {
      showMessage("Partie terminée.", ["Merci d'avoir joué !"], "Rejouer", () => location.reload());
    } else {
      showMessage("Le jeu s'est arrêté.", ["Rechargez la page pour recommencer."]);
    }
  }
};

document.title = game.name;
if (typeof WebAssembly !== "object" || typeof fetch !== "function") {
  cannotRun();
} else {
  showMessage("", ["Chargement du jeu…"]);
  const player = document.createElement("script");
  player.src = "orvalde-web.js";
  player.onerror = cannotRun;
  document.body.appendChild(player);
}
</script>
</body>
</html>
)PAGE";

// The text as a JavaScript string: quoted, with what could end the script
// or the string escaped.
std::u16string javaScriptString(const std::u16string& text) {
    static const char16_t Digits[] = u"0123456789abcdef";
    std::u16string quoted = u"\"";
    for (char16_t c : text) {
        if (c == u'"' || c == u'\\') {
            quoted += u'\\';
            quoted += c;
        } else if (c < 32 || c == u'<' || c == u'>' || c == u'&' || c == 0x2028 || c == 0x2029) {
            quoted += u"\\u";
            for (int shift = 12; shift >= 0; shift -= 4) quoted += Digits[(c >> shift) & 15];
        } else {
            quoted += c;
        }
    }
    return quoted + u"\"";
}

}  // namespace

std::u16string webPage(const std::u16string& projectName, const std::vector<std::u16string>& files) {
    std::u16string description = u"{\"name\": " + javaScriptString(projectName) + u", \"files\": [";
    for (size_t i = 0; i < files.size(); ++i) {
        description += (i == 0 ? u"\n  " : u",\n  ") + javaScriptString(files[i]);
    }
    description += u"]}";
    std::u16string page = PageText;
    const size_t at = page.find(u"@GAME@");
    return page.replace(at, 6, description);
}
