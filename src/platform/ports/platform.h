#pragma once
// The ports the screens reach the platform through, gathered for passing around. Every one is there:
// tools and tests hand in recording or in-memory adapters where the player hands in Win32 ones.
// Content loading and the media host take their own ports (resources, media players) by reference.

namespace fenok {

class Messages;
class Graphics;
class Files;
class Pictures;
class Shell;

struct Platform {
  Messages& messages;
  Graphics& graphics;
  Files& files;
  Pictures& pictures;
  Shell& shell;
};

}  // namespace fenok
