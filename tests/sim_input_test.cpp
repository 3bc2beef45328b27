// Files and text a person hands the simulator: only regular files of bounded size are read,
// and input quoted in a message is escaped and cut so that the message stays one line.

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>

#include "input/input_file.h"
#include "input/shown_text.h"
#include "profile/profile.h"
#include "script/script.h"

namespace {
std::string freshFolder() {
  char pattern[] = "/tmp/vevovuvado-input-test-XXXXXX";
  const char* made = mkdtemp(pattern);
  return made ? std::string(made) : std::string("/tmp");
}

void writeFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

// Readers of a file named on the command line; each must refuse the same files alike.
struct Reader {
  const char* name;
  std::function<bool(const std::string& path, std::string* error)> load;
};
const Reader kReaders[] = {
    {"profile",
     [](const std::string& path, std::string* error) {
       Profile profile;
       return loadProfile(path, &profile, error);
     }},
    {"script",
     [](const std::string& path, std::string* error) {
       Script script;
       return loadScript(path, &script, error);
     }},
    {"file",
     [](const std::string& path, std::string* error) {
       std::string text;
       return readInputFile(path, &text, error);
     }},
};
}  // namespace

TEST(ShownText, EscapesWhatWouldBreakTheLineAndCutsWhatIsLong) {
  struct Case {
    std::string text;
    const char* shown;
  };
  const Case cases[] = {
      {"purple", "purple"},
      {"", ""},
      {"STV\n0288", "STV\\n0288"},
      {"a\tb\rc", "a\\tb\\rc"},
      {std::string("wait\0junk", 9), "wait\\x00junk"},
      {"\x1b[2J\x7f", "\\x1b[2J\\x7f"},
      // UTF-8 stays; bytes that are not UTF-8, C1 controls and line separators are escaped.
      {"\xc3\xa9t\xc3\xa9", "\xc3\xa9t\xc3\xa9"},
      {"\xe9t\xe9", "\\xe9t\\xe9"},
      {"\xc2\x85|\xe2\x80\xa8|\xe2\x80\xa9", "\\xc2\\x85|\\xe2\\x80\\xa8|\\xe2\\x80\\xa9"},
      {"\xc0\xaf", "\\xc0\\xaf"},                    // overlong "/"
      {"\xed\xa0\x80", "\\xed\\xa0\\x80"},           // a surrogate
      {"\xf4\x90\x80\x80", "\\xf4\\x90\\x80\\x80"},  // past U+10FFFF
      {"\xe2\x82", "\\xe2\\x82"},                    // cut short
      {std::string(40, 'x'), "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"},
      {std::string(41, 'x'), "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx..."},
      // The cut never splits an escape or a character.
      {std::string(38, 'x') + "\n", "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx\\n"},
      {std::string(39, 'x') + "\n", "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx..."},
      {std::string(39, 'x') + "\xc3\xa9\xc3\xa9",
       "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx\xc3\xa9..."},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(shownText(c.text), c.shown);
    EXPECT_EQ(quotedText(c.text), std::string("\"") + c.shown + "\"");
  }
  EXPECT_EQ(shownText(std::string(10u << 20, '\0')).size(), 40u + 3u) << "ten 4-byte escapes";
}

TEST(ShownText, LongPathsKeepTheirEnd) {
  const std::string tail = "/profiles/satellite_stv0288.json";
  EXPECT_EQ(shownPath("p.json"), "p.json");
  EXPECT_EQ(shownPath("my\nprofile.json"), "my\\nprofile.json");
  const std::string longPath = std::string(5000, 'd') + tail;
  const std::string shown = shownPath(longPath);
  EXPECT_EQ(shown.size(), 3 + kShownPathLimit);
  EXPECT_EQ(shown.substr(0, 3), "...");
  EXPECT_EQ(shown.substr(shown.size() - tail.size()), tail);
  EXPECT_EQ(shownPath(std::string(1u << 20, '\n')).size(), 3 + kShownPathLimit);
}

// Nothing is opened that could block, stream for ever or take a terminal: the file's kind is
// checked first.
TEST(InputFile, AnythingButARegularFileIsRefusedBeforeItIsRead) {
  const std::string dir = freshFolder();
  ASSERT_EQ(mkfifo((dir + "/fifo").c_str(), 0600), 0);
  ASSERT_EQ(mkdir((dir + "/folder").c_str(), 0700), 0);
  ASSERT_EQ(symlink((dir + "/folder").c_str(), (dir + "/link").c_str()), 0);
  const int sock = socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(sock, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string socketPath = dir + "/socket";
  ASSERT_LT(socketPath.size(), sizeof address.sun_path);
  socketPath.copy(address.sun_path, socketPath.size());
  ASSERT_EQ(bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);

  struct Case {
    std::string path;
    const char* problem;
  };
  const Case cases[] = {
      {dir + "/folder", "is a directory, not a regular file"},
      {dir + "/link", "is a directory, not a regular file"},
      {dir + "/fifo", "is a FIFO (named pipe), not a regular file"},
      {"/dev/zero", "is a character device, not a regular file"},
      {"/dev/null", "is a character device, not a regular file"},
      {socketPath, "is a socket, not a regular file"},
      {dir + "/missing", "cannot be read (no such file, or no permission)"},
      {dir + "/missing/x", "cannot be read (no such file, or no permission)"},
  };
  for (const Reader& reader : kReaders) {
    for (const Case& c : cases) {
      std::string error;
      EXPECT_FALSE(reader.load(c.path, &error)) << reader.name << " " << c.path;
      EXPECT_EQ(error, c.path + ": " + c.problem) << reader.name;
    }
  }
  close(sock);
  EXPECT_EQ(std::system(("rm -rf '" + dir + "'").c_str()), 0);
}

TEST(InputFile, FilesAboveTheLimitAreRefusedWithTheirOwnMessage) {
  const std::string dir = freshFolder();
  const std::string atLimit = dir + "/at-limit";
  const std::string aboveLimit = dir + "/above-limit";
  // A valid script of exactly the limit: comment lines.
  std::string text;
  const std::string line = std::string(1023, '#') + "\n";
  while (text.size() < kInputFileLimit)
    text += line;
  ASSERT_EQ(text.size(), kInputFileLimit);
  writeFile(atLimit, text);
  writeFile(aboveLimit, text + "\n");

  Script script;
  std::string error;
  EXPECT_TRUE(loadScript(atLimit, &script, &error)) << error;
  for (const Reader& reader : kReaders) {
    EXPECT_FALSE(reader.load(aboveLimit, &error)) << reader.name;
    EXPECT_EQ(error, aboveLimit + ": larger than 16 MiB, the most it may hold") << reader.name;
  }
  std::string read;
  EXPECT_FALSE(readInputFile(atLimit, &read, &error, 1000));
  EXPECT_EQ(error, atLimit + ": larger than 1000 bytes, the most it may hold");
  EXPECT_EQ(std::system(("rm -rf '" + dir + "'").c_str()), 0);
}

TEST(InputFile, MessagesShowTheFileNameEscaped) {
  std::string text;
  std::string error;
  EXPECT_FALSE(readInputFile("/nonexistent/bad\nname", &text, &error));
  EXPECT_EQ(error, "/nonexistent/bad\\nname: cannot be read (no such file, or no permission)");
  Profile profile;
  EXPECT_FALSE(parseProfile("{", "my\nprofile.json", &profile, &error));
  EXPECT_EQ(error.rfind("my\\nprofile.json:1: not JSON", 0), 0u) << error;
  Script script;
  EXPECT_FALSE(parseScript("spin\n", "my\nscript", &script, &error));
  EXPECT_EQ(error.rfind("my\\nscript:1: unknown command", 0), 0u) << error;
}
