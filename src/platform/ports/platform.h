#pragma once
// The ports that the logic reaches the platform through, gathered for passing around.
// Any pointer may be null where a caller has no use for that port (tools, tests).

namespace fenok {

class Resources;
class Messages;
class Graphics;
class Files;
class Pictures;
class Shell;
class MediaPlayers;

struct Platform {
  Resources* resources = nullptr;
  Messages* messages = nullptr;
  Graphics* graphics = nullptr;
  Files* files = nullptr;
  Pictures* pictures = nullptr;
  Shell* shell = nullptr;
  MediaPlayers* media = nullptr;
};

}  // namespace fenok
