// How the web engine's script engine compiles the player: set in the
// environment before the first web process starts, which reads it.
#pragma once

// Hot WebAssembly functions leave the interpreter sooner, and only code that
// keeps running is compiled by the optimising tier. The player's engine is
// 14 MB of WebAssembly, much of it run once at start-up: optimising it all
// cost CPU and memory while the first frame waited. A value already in the
// environment is kept.
void SetScriptEngineTiering();
