// How the web engine runs the player: set in the environment before the
// first web process starts, which reads it. A value already in the
// environment is kept.
#pragma once

// Script tiering: hot WebAssembly functions leave the interpreter sooner,
// and only code that keeps running is compiled by the optimising tier. The
// player's engine is 14 MB of WebAssembly, much of it run once at start-up:
// optimising it all cost CPU and memory while the first frame waited.
//
// Drawing: the view never uses the graphics card (the movie is drawn by the
// CPU), so the program itself needs no buffer sharing with a GPU renderer;
// without it the program process stays about 5 MiB smaller.
void SetWebEngineEnvironment();
