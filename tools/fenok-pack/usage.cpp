#include "usage.h"

#include "authoring/pictures/picture_source.h"

namespace fenok::pack {

const CommandHelp kCommandHelp[] = {
    {"new", "new FOLDER [--media pictures|audio|video]",
     "Drafts FOLDER/quiz.toml from the pictures or clips in FOLDER: one question per file, in name order,\n"
     "the expected answer taken from the file name. An existing quiz.toml is never overwritten.\n"
     "  --media KIND   which files make the questions (default: pictures when there are any, else the\n"
     "                 clips that are there: audio or video)\n"},
    {"check", "check QUIZ.toml",
     "Runs every check of build (texts, sizes, pictures decoded, clips) and writes nothing.\n"
     "Exit status 0 when the quiz would build (warnings aside), 2 when it has errors.\n"},
    {"build",
     "build QUIZ.toml -o OUT.exe|OUT.html [--arch x86|x64] [--stub PLAYER.exe] [--web] [--web-player PAGE] [--plain]"
     " [--keep-pictures]",
     "Packs the quiz and its pictures or clips into a copy of the player, or writes it as one web page\n"
     "that plays in any browser, offline (an output ending in .html or .htm, or --web). Pictures are\n"
     "decoded, turned upright as their format says (Exif, HEIF's rotation), fitted to the size the player\n"
     "shows them at and stored as JPEG or PNG, whichever is smaller.\n"
     "  -o OUT.exe         the program to write; never the description, one of its files or the player\n"
     "  -o OUT.html        the web page to write, with the same content, pictures and clips\n"
     "  --arch x86|x64     the player beside fenok-pack: fenok.exe (x86, the default) or fenok64.exe (x64)\n"
     "  --stub PLAYER.exe  the player to pack into (else the environment variable FENOK_STUB, else --arch)\n"
     "  --web              write a web page whatever the output's name\n"
     "  --web-player PAGE  the web player page to write it from (else the environment variable\n"
     "                     FENOK_WEB_PLAYER, else fenok-web.html beside fenok-pack)\n"
     "  --plain            store the texts compressed but not scrambled\n"
     "  --keep-pictures    store JPEG, GIF and PNG files as they are given (other formats are always fitted)\n"},
    {"inspect", "inspect QUIZ.exe|QUIZ.html",
     "Prints the quiz a program or a web page carries, as the player loads it, in the description's form.\n"
     "Exit status 0, 1 when the program holds no quiz or damaged content (said on stderr), 2 when the\n"
     "file cannot be read or is neither a Windows program nor a quiz page.\n"},
    {"try", "try QUIZ.toml|QUIZ.exe|QUIZ.html [ANSWERS.txt] [--typed]",
     "Judges a set of answers as the player does and prints each box, its verdict, the score and the\n"
     "reward code. The answers are read as the player reads its saved-answers file (one line per box,\n"
     "CR LF line ends, Windows-1252), from ANSWERS.txt or else from the standard input.\n"
     "  --typed   the answers are typed text instead: UTF-8, any line ends\n"
     "Exit status 0, 1 when the content is damaged, 2 on bad input.\n"},
    {"verdict", "verdict TYPED EXPECTED [--tolerant] [--also ANSWER]... | verdict --batch [--tolerant] [--also ANSWER]...",
     "The verdict the player shows for one answer.\n"
     "  --batch      read \"typed<TAB>expected\" lines on the standard input, print one verdict a line\n"
     "  --tolerant   accents and case do not count (accents = \"tolerant\")\n"
     "  --also X     one more answer accepted as right (repeatable)\n"},
    {"help", "help [COMMAND]", "Prints the help of a command, or of the tool.\n"},
};

const std::size_t kCommandHelpCount = sizeof kCommandHelp / sizeof kCommandHelp[0];

// Which picture formats this build reads: a build without libheif or libwebp says what it lacks.
std::string picturesLine() {
  std::string read, unread;
  for (const PictureFormat format : {PictureFormat::jpeg, PictureFormat::gif, PictureFormat::png, PictureFormat::webp,
                                     PictureFormat::heic, PictureFormat::avif}) {
    std::string& list = hasPictureDecoder(format) ? read : unread;
    list += (list.empty() ? "" : ", ") + std::string(formatName(format));
  }
  std::string line = "Pictures read: " + read;
  if (!unread.empty()) line += "; not by this build: " + unread + " (built without libheif or libwebp)";
  return line + ".\n";
}

std::string commandHelp(const std::string& name) {
  const bool pictures = name == "new" || name == "check" || name == "build";
  for (const CommandHelp& help : kCommandHelp)
    if (name == help.name)
      return std::string("usage: fenok-pack ") + help.synopsis + "\n" + help.details + (pictures ? picturesLine() : "");
  return {};
}

std::string toolHelp() {
  std::string text = "usage: fenok-pack COMMAND ...\n";
  for (const CommandHelp& help : kCommandHelp) text += std::string("  fenok-pack ") + help.synopsis + "\n";
  return text + "\"fenok-pack help COMMAND\" or \"fenok-pack COMMAND --help\" tells more.\n";
}

}  // namespace fenok::pack
