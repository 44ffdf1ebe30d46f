"use strict";
// Plays the course movies with Ruffle and connects them to the host.
// Host to page: the host runs vanto.run([operation, ...]).
// Page to host: a movie's fscommand is a synchronous request, answered once
// the host has handled it, with the operations the host made meanwhile;
// everything else is a message to the "vanto" handler.
(function () {
  const post = (text) => window.webkit.messageHandlers.vanto.postMessage(text);
  // A timed step of the start-up, for the host's trace.
  const step = (what) => post("step " + Date.now() + " " + what);
  step("page script");

  // The CJK font: Ruffle fetches it from the host for each player instance
  // it makes. A copy kept in the page (a blob) would sit in the web engine's
  // network process for the whole session, 6 MiB for a local read that
  // takes a few milliseconds.
  const fontFile = "font.otf";

  // Ruffle compiles its engine (WebAssembly) once a page, on the first load
  // of any player, before it makes that player's instance. A probe player
  // starts the compile at once, while the host still checks the course; its
  // font never comes, so it stops there and makes no instance: the first
  // movie gets the page's first and only instance.
  const engineProbeFont = "vanto-engine-probe";
  const pageFetch = window.fetch.bind(window);
  let probe = null;
  window.fetch = (input, init) => {
    if (String(input) !== engineProbeFont) return pageFetch(input, init);
    step("engine ready");
    probe.remove();
    return new Promise(() => {});
  };
  const scaleNames = ["showAll", "noBorder", "exactFit", "noScale"];
  const settings = { allowFullscreen: false, scale: "showAll" };
  let player = null;
  // Loads run one after another: a later load must not be overtaken by an
  // earlier one still starting the engine.
  let loading = Promise.resolve();

  window.RufflePlayer = window.RufflePlayer || {};
  window.RufflePlayer.config = {
    publicPath: "ruffle/",
    allowScriptAccess: true,
    autoplay: "on",
    splashScreen: false,
    unmuteOverlay: "hidden",
    polyfills: false,
    contextMenu: "off",
    letterbox: "on",
    warnOnUnsupportedContent: false,
    preferredRenderer: "canvas",
    defaultFonts: {
      sans: ["Noto Sans CJK SC", "Noto Sans CJK SC Bold", "Noto Sans CJK JP", "Noto Sans CJK JP Bold"],
      serif: ["Noto Sans CJK SC", "Noto Sans CJK SC Bold", "Noto Sans CJK JP", "Noto Sans CJK JP Bold"],
      typewriter: ["Noto Sans CJK SC", "Noto Sans CJK SC Bold", "Noto Sans CJK JP", "Noto Sans CJK JP Bold"],
    },
  };

  function sendCommand(command, args) {
    const request = new XMLHttpRequest();
    request.open("POST", "/host/fscommand", false);
    request.setRequestHeader("Content-Type", "application/x-www-form-urlencoded");
    request.send("cmd=" + encodeURIComponent(String(command)) +
                 "&args=" + encodeURIComponent(args == null ? "" : String(args)));
    const operations = request.status === 200 ? JSON.parse(request.responseText || "[]") : [];
    // The movie is still inside its fscommand: calls into it must wait.
    if (operations.length) setTimeout(() => window.vanto.run(operations), 0);
  }

  // The smallest movie (an empty frame), for the probe.
  const emptyMovie = new Uint8Array([
    0x46, 0x57, 0x53, 0x0a, 0x11, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x1e, 0x01, 0x00, 0x40, 0x00, 0x00, 0x00,
  ]);

  function reportFirstFrame(url) {
    if (!url) return;
    requestAnimationFrame(() => requestAnimationFrame(() => {
      step("first frame drawn");
      post("frame " + url);
    }));
  }

  function startEngine() {
    probe = window.RufflePlayer.newest().createPlayer();
    probe.classList.add("unloaded");
    document.body.appendChild(probe);
    probe.ruffle().load({ data: emptyMovie, fontSources: [engineProbeFont] }).catch(() => {});
  }

  function createPlayer() {
    const ruffle = window.RufflePlayer.newest();
    player = ruffle.createPlayer();
    player.onFSCommand = (command, args) => { sendCommand(command, args); return true; };
    player.addEventListener("loadedmetadata", () => {
      step("movie header read");
      reportFirstFrame(player.dataset.url || "");
    });
    player.addEventListener("panic", () => post("error the movie player stopped (panic)"));
    document.body.appendChild(player);
    new ResizeObserver(() => post("size " + player.clientWidth + "x" + player.clientHeight))
        .observe(player);
  }

  // Invoke requests as the Flash control takes them:
  // <invoke name="f" returntype="xml"><arguments><string>..</string></arguments></invoke>
  function callFunction(request) {
    const xml = new DOMParser().parseFromString(request, "text/xml");
    const invoke = xml.documentElement;
    if (!invoke || invoke.nodeName !== "invoke") return;
    const args = [];
    const list = invoke.getElementsByTagName("arguments")[0];
    for (const node of list ? Array.from(list.children) : []) {
      if (node.nodeName === "number") args.push(Number(node.textContent));
      else if (node.nodeName === "true" || node.nodeName === "false") args.push(node.nodeName === "true");
      else args.push(node.textContent);
    }
    callMovie(invoke.getAttribute("name"), args);
  }

  function callMovie(name, args) {
    try {
      player.ruffle().callExternalInterface(name, ...args);
    } catch (error) {
      post("log call " + name + " failed: " + error);
    }
  }

  const operations = {
    load(op) {
      player.classList.remove("unloaded");
      player.dataset.url = op.url;
      // Settings made right after the load (AllowFullScreen, ScaleMode) count.
      loading = loading.then(() => player.ruffle().load({
        url: op.url,
        allowScriptAccess: true,
        allowFullscreen: settings.allowFullscreen,
        scale: settings.scale,
        fontSources: [fontFile],
      }))
          .catch((error) => post("error the movie did not load: " + error));
    },
    unload() {
      player.pause();
      player.classList.add("unloaded");
      delete player.dataset.url;
    },
    play() { player.play(); },
    stop() { player.pause(); },
    loop() {},  // Ruffle plays a movie's timeline as the movie says
    scale(op) { settings.scale = scaleNames[op.value] || "showAll"; },
    allowFullScreen(op) { settings.allowFullscreen = String(op.value).toLowerCase() === "true"; },
    // Our movies publish "SetVariable"; Ruffle has no other way in.
    setVariable(op) { callMovie("SetVariable", [op.name, op.value]); },
    call(op) { callFunction(op.request); },
  };

  window.vanto = {
    run(list) {
      for (const op of list) {
        try {
          operations[op.op](op);
        } catch (error) {
          post("log " + op.op + " failed: " + error);
        }
      }
    },
  };

  document.addEventListener("keydown", (event) => {
    if (event.key === "Escape") post("key Escape");
  }, true);

  window.addEventListener("DOMContentLoaded", () => {
    if (!window.RufflePlayer.newest || !window.RufflePlayer.newest()) {
      post("error the movie player's files are missing");
      return;
    }
    step("page ready");
    startEngine();
    createPlayer();
    post("ready");
  });
})();
