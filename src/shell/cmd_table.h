#pragma once

#include <cstddef>
#include <cstdint>

// Command codes share one numbering with the configuration item codes.
enum : std::uint32_t {
  CMD_DOWNLOAD = 0,
  CMD_FIRMWARE = 1,
  CMD_BAUD = 5,
  CMD_EXIT = 8,
  CMD_HELP = 22,
  CMD_DCONFIGURE = 23,
  CMD_DRULES = 24,
  CMD_ANGLES = 26,
  CMD_CONFIGURE = 28,
  CMD_RULES = 29,
  CMD_CONNECT = 30,
  CMD_DISCONNECT = 31,
  CMD_REPEAT = 33,
};

struct Shell;
class WordSplitter;
enum class LineResult;

// Runs one command, taking its arguments from the words after the command
// word.
using CmdHandler = LineResult (*)(Shell& shell, WordSplitter& words);

struct CmdEntry {
  std::uint32_t in_help;
  std::uint32_t code;
  const char* name;
  const char* args;
  const char* comment;
  CmdHandler handler;
};

constexpr std::size_t CMD_TABLE_SIZE = 16;
extern const CmdEntry cmd_table[CMD_TABLE_SIZE];

// The rates that connect and baud accept.
constexpr std::size_t BAUD_TABLE_SIZE = 5;
extern const std::uint32_t baud_table[BAUD_TABLE_SIZE];
bool in_baud_table(long baud);

enum class MatchKind { kNone, kUnique, kAmbiguous };
struct CmdMatch {
  MatchKind kind;
  const CmdEntry* entry;
};

// Unique-prefix lookup of a command word, ignoring letter case; an exact
// name has no preference over a longer one.
CmdMatch match_command(const char* word);
