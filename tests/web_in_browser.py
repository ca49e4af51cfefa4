#!/usr/bin/python3
"""The demonstration published by `orvalde-headless --publier`, served on the loopback and played
in headless Chromium with the walkthrough of the victory, the page's frame compared at every Return
with the headless runner's at the same point. The game is saved in slot 3 halfway; after the victory
the page is reloaded and slot 3 loaded; then two tabs save at once.

Usage: web_in_browser.py ORVALDE_HEADLESS RUN_FOLDER WALKTHROUGH
"""
import base64, os, shutil, socket, statistics, subprocess, sys, tempfile, time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys

headless, run_folder, walkthrough = sys.argv[1:4]
SAVE_AFTER = "type prends la fiole"  # the walkthrough's command after which slot 3 is saved
SAVE = ["type sauve", "key return", "type 3"]
LOAD = ["key return", "type charge", "key return", "type 3"]
failures = []


def fail(message):
    failures.append(message)
    print("FAIL: " + message)


def inputs_of(path):
    """The walkthrough's input lines (its checks are the headless tests' own), the save inserted."""
    lines = []
    for line in open(path, encoding="utf-8").read().splitlines():
        if line.startswith(("type ", "key ")):
            lines.append(line)
            if lines[-2:] == [SAVE_AFTER, "key return"]:
                lines += SAVE
    return lines


def reference_frames(work, lines, name):
    """The headless runner's shots after every Return and the last line, and what it wrote."""
    shots, script = [], []
    for number, line in enumerate(lines, 1):
        script.append(line)
        if line == "key return" or number == len(lines):
            shots.append(os.path.join(work, "%s-%02d.png" % (name, len(shots))))
            script.append("shot " + shots[-1])
    with open(os.path.join(work, name + ".script"), "w", encoding="utf-8") as out:
        out.write("\n".join(script) + "\n")
    run = subprocess.run([headless, "--jouer", "chateau", name + ".script"], cwd=work, capture_output=True)
    if run.returncode != 0:
        fail("headless runner: status %d: %s" % (run.returncode, run.stderr.decode()))
    return shots, run.stdout.decode()


def start_browser(profile):
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for argument in ["--headless=new", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
                     "--disable-component-update", "--disable-sync", "--no-first-run",
                     "--user-data-dir=" + profile, "--window-size=1024,768"]:
        options.add_argument(argument)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


def settle(driver, seconds=30):
    """Waits until the program waits for the player: the page then holds the function that resumes it."""
    end = time.time() + seconds
    while not driver.execute_script("return !!(window.Module && Module.orvaldeWake)"):
        if time.time() > end:
            return False
        time.sleep(0.01)
    return True


# Times the program's turns in the page: from the Return key to the program waiting again.
WATCH_TURNS = """
let resume = Module.orvaldeWake;
window.turn = {start: 0, end: 0};
window.addEventListener("keydown", (event) => { if (event.key === "Enter") turn.start = performance.now(); }, true);
Object.defineProperty(Module, "orvaldeWake", {configurable: true, get: () => resume,
  set: (value) => { resume = value; if (value) turn.end = performance.now(); }});
"""
# The files the browser keeps in the game's storage, each with the turn count it starts with.
STORED_GAMES = """
const done = arguments[arguments.length - 1], opening = indexedDB.open("/sauvegardes/chateau");
opening.onerror = () => done(null);
opening.onsuccess = () => {
  const store = opening.result.transaction(["FILE_DATA"], "readonly").objectStore("FILE_DATA");
  const keys = store.getAllKeys(), entries = store.getAll();
  entries.onerror = () => done(null);
  entries.onsuccess = () => done(Object.fromEntries(keys.result.map((key, i) =>
    [key.split("/").pop(), entries.result[i].contents[0]])));
};
"""
# The page's frame against a PNG: the pixels that differ, the largest difference of a component.
COMPARE = """
const done = arguments[arguments.length - 1], picture = new Image();
picture.onerror = () => done(null);
picture.onload = () => {
  const context = Object.assign(document.createElement("canvas"), {width: 800, height: 600}).getContext("2d");
  context.drawImage(picture, 0, 0);
  const expected = context.getImageData(0, 0, 800, 600).data;
  context.drawImage(document.getElementById("canvas"), 0, 0);
  const seen = context.getImageData(0, 0, 800, 600).data;
  let pixels = 0, largest = 0;
  for (let i = 0; i < seen.length; i += 4) {
    const d = Math.max(...[0, 1, 2].map((c) => Math.abs(seen[i + c] - expected[i + c])));
    pixels += d > 0;
    largest = Math.max(largest, d);
  }
  done([pixels, largest, picture.width, picture.height]);
};
picture.src = arguments[0];
"""


def save_in_slot(driver, slot, before=()):
    for keys in [*before, "sauve", Keys.RETURN, slot]:
        ActionChains(driver).send_keys(keys).perform()
        settle(driver)


def compare(driver, png, where):
    with open(png, "rb") as data:
        result = driver.execute_async_script(COMPARE, "data:image/png;base64," + base64.b64encode(data.read()).decode())
    if result is None or result[2:] != [800, 600]:
        fail("%s: no reference frame %s" % (where, png))
    elif result[0] != 0:
        fail("%s: %d pixels differ from the headless runner's frame (largest difference %d)" % (where, *result[:2]))


def play(driver, lines, shots, name, turn_times, game_ends=False):
    """Types the lines into the page, comparing the frame with the next shot at every Return and
    after the last line, unless that line ends the game."""
    shot = 0
    for number, line in enumerate(lines, 1):
        ActionChains(driver).send_keys(Keys.RETURN if line == "key return" else line[len("type "):]).perform()
        if game_ends and number == len(lines):
            break
        if not settle(driver):
            return fail("%s, line %d (%s): the page never waited for the player again" % (name, number, line))
        if line == "key return":
            turn_times.append(driver.execute_script("return turn.end - turn.start") / 1000)
        if line == "key return" or number == len(lines):
            compare(driver, shots[shot], "%s, line %d" % (name, number))
            shot += 1


def check_site(work, site):
    """Plays the published site in the browser."""
    victory = inputs_of(walkthrough)
    victory_shots, _ = reference_frames(work, victory, "victoire")
    load_shots, loading = reference_frames(work, LOAD, "chargement")
    if "Sauvegarde inexistante" in loading or "Fichier" in loading:
        fail("the headless runner did not load slot 3")  # the reference itself must load the slot
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        port = probe.getsockname()[1]
    server = subprocess.Popen(["/usr/bin/python3", "-m", "http.server", str(port), "--bind", "127.0.0.1",
                               "--directory", site], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    driver = start_browser(os.path.join(work, "profile"))
    try:
        url = "http://127.0.0.1:%d/" % port
        for _ in range(100):  # until the server listens
            try:
                driver.get(url)
                break
            except Exception:
                time.sleep(0.1)
        if not settle(driver):
            return fail("the page never started the game")
        driver.execute_script(WATCH_TURNS)
        turn_times = []
        play(driver, victory, victory_shots, "victory", turn_times, game_ends=True)
        for _ in range(300):
            ended = driver.execute_script("return [message.textContent, canvas.style.backgroundImage]")
            if "Partie terminée" in ended[0]:
                break
            time.sleep(0.01)
        if "Partie terminée" not in ended[0] or "data:image/png" not in ended[1]:
            fail("after the victory the page says %r, its last frame kept: %s" % (ended[0], ended[1][:30]))

        driver.refresh()  # a new visit: slot 3 was kept by the browser for the site
        settle(driver)
        driver.execute_script(WATCH_TURNS)
        play(driver, LOAD, load_shots, "reload", turn_times)

        # A second tab, opened before the first saves again: the storage keeps the games both
        # save, the second tab's slot 3 (at its first turns) over the first's (further on).
        first = driver.current_window_handle
        driver.switch_to.new_window("tab")
        driver.get(url)
        settle(driver)
        save_in_slot(driver, "3", [Keys.RETURN])
        save_in_slot(driver, "5")
        driver.switch_to.window(first)
        save_in_slot(driver, "6")
        stored = driver.execute_async_script(STORED_GAMES)
        if stored is None or set(stored) != {"3.sav", "5.sav", "6.sav"} or stored["3.sav"] > 2:
            fail("two tabs saving: the storage holds %s" % stored)
        for entry in driver.get_log("browser"):
            if entry["level"] == "SEVERE" and "favicon" not in entry["message"]:
                fail("browser console: " + entry["message"])
        site_bytes = sum(os.path.getsize(os.path.join(folder, f)) for folder, _, files in os.walk(site) for f in files)
        print("published folder: %d bytes; turn in the browser: median %.1f ms, slowest %.1f ms (%d turns)"
              % (site_bytes, 1000 * statistics.median(turn_times), 1000 * max(turn_times), len(turn_times)))
    finally:
        driver.quit()
        server.kill()
        server.wait()


def main():
    work = tempfile.mkdtemp(prefix="orvalde-web-")
    try:
        for folder in ["Images", "Fonts", os.path.join("Projets", "chateau")]:
            shutil.copytree(os.path.join(run_folder, folder), os.path.join(work, folder))
        site = os.path.join(work, "site")
        published = subprocess.run([headless, "--publier", "chateau", site], cwd=work, capture_output=True)
        if published.returncode != 0 or not os.path.isfile(os.path.join(site, "index.html")):
            return fail("--publier: status %d: %s" % (published.returncode, published.stdout.decode()))
        check_site(work, site)
    finally:
        shutil.rmtree(work, ignore_errors=True)


main()
if failures:
    sys.exit(1)
print("web player: every frame as the headless runner's")
