#include "platform/Text.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <ostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/CommandRegistry.h"
#include "platform/ControlEscapingBuffer.h"
#include "platform/SaveFileName.h"
#include "platform/ToolWindows.h"
#include "platform/controls/ListControl.h"
#include "platform/controls/Timer.h"
#include "platform/digest/Sha256.h"
#include "tests/support/ManualEventLoop.h"
#include "tests/support/TempFolder.h"

namespace vendaro::text {

TEST(TextTest, FoldsAndComparesAsciiLettersOnly) {
  EXPECT_EQ(lowerAscii("MiXeD Ä 123"), "mixed Ä 123");
  EXPECT_EQ(upperAscii("mixed é"), "MIXED é");
  EXPECT_TRUE(equalsIgnoringCase("Content-Type", "content-TYPE"));
  EXPECT_FALSE(equalsIgnoringCase("abc", "abcd"));
  EXPECT_TRUE(startsWithIgnoringCase("HTTPS://x", "https://"));
  EXPECT_FALSE(startsWithIgnoringCase("http", "https://"));
}

TEST(TextTest, ConvertsLineEndsBothWays) {
  EXPECT_EQ(withCrLf("a\nb\r\nc\rd"), "a\r\nb\r\nc\r\nd");
  EXPECT_EQ(withLf("a\r\nb\rc\n"), "a\nb\rc\n");
  EXPECT_EQ(withCrLf(withLf("one\r\ntwo\r\n")), "one\r\ntwo\r\n");
}

TEST(TextTest, EscapesForHtmlXmlAndScriptStrings) {
  EXPECT_EQ(htmlEscaped(R"(<a href="x">Tom & 'Jerry'</a>)"),
            "&lt;a href=&quot;x&quot;&gt;Tom &amp; &#39;Jerry&#39;&lt;/a&gt;");
  EXPECT_EQ(xmlEscaped(R"(<a b="c">&'d')"), "&lt;a b=&quot;c&quot;&gt;&amp;&apos;d&apos;");
  EXPECT_EQ(quotesEscaped(R"(a "b" & <c>)"), "a &quot;b&quot; & <c>");
  EXPECT_EQ(jsonString("a\"b\\c</script>\x01\n\xC3\xA9"), R"("a\"b\\c\u003c/script>\u0001\u000a)"
                                                          "\xC3\xA9\"");
  EXPECT_EQ(backslashQuoted(R"(it's "x" \ y)", '"'), R"("it's \"x\" \\ y")");
  EXPECT_EQ(backslashQuoted(R"(it's "x" \ y)", '\''), R"('it\'s "x" \\ y')");
  EXPECT_EQ(scriptStringText("Ordinary <b>bold</b> text"), "Ordinary <b>bold</b> text");
  EXPECT_EQ(scriptStringText(R"(12" "tall" \ wide)"), R"(12\" \"tall\" \\ wide)");
  EXPECT_EQ(scriptStringText("one\r\ntwo\nthree"), R"(one\r\ntwo\nthree)");
  EXPECT_EQ(scriptStringText("a</SCRIPT>b<!--c"), R"(a<\/SCRIPT>b<\!--c)");
}

TEST(TextTest, PercentEncodesAllButTheKeptCharacters) {
  EXPECT_EQ(percentEncoded("a b/\xC3\xA9~+"), "a%20b%2F%C3%A9~%2B");
  EXPECT_EQ(percentEncoded("a b/c+d", "/+"), "a%20b/c+d");
  EXPECT_EQ(percentEncodedOnly("50% 'off' & more?", "%'?"), "50%25 %27off%27 & more%3F");
}

// A name typed without extension gets the chosen type's; any other stays.
TEST(TextTest, SaveNamesGetTheChosenFiltersExtensionWhenTheyHaveNone) {
  EXPECT_EQ(withFilterExtension("/tmp/report", "*.htm"), "/tmp/report.htm");
  EXPECT_EQ(withFilterExtension("/tmp/.hidden", "*.prv"), "/tmp/.hidden.prv");
  EXPECT_EQ(withFilterExtension("/tmp/v1.2/report.txt", "*.htm"), "/tmp/v1.2/report.txt");
  EXPECT_EQ(withFilterExtension("/tmp/v1.2/notes", "*.txt"), "/tmp/v1.2/notes.txt");
  for (const char* pattern : {"*", "*.*", "", "*.h?m"}) {
    EXPECT_EQ(withFilterExtension("/tmp/report", pattern), "/tmp/report") << pattern;
  }
}

}  // namespace vendaro::text

namespace vendaro {
namespace {

// What reaches the buffer behind a ControlEscapingBuffer when `pieces` are
// written one after another, each flushed.
std::string escapedOutput(std::initializer_list<std::string_view> pieces) {
  std::stringbuf target;
  {
    ControlEscapingBuffer buffer(target);
    std::ostream out(&buffer);
    for (const std::string_view piece : pieces) out << piece << std::flush;
  }
  return target.str();
}

TEST(ControlEscapingBufferTest, ControlCharactersShowEscapedWhileLineEndsAndTextPass) {
  EXPECT_EQ(escapedOutput({"Name: \x1b]0;owned\x07\x1b[31mRed\r\n", "a\tb\n"}),
            "Name: \\x1b]0;owned\\x07\\x1b[31mRed\r\na\tb\n");
  // A CR passes only before LF, also when they come in two writes.
  EXPECT_EQ(escapedOutput({"over\r", "write\r", "\n", "x\r"}), "over\\x0dwrite\r\nx\\x0d");
  // C1 controls (U+0080-U+009F) too, whatever the writes split; other
  // characters stay.
  EXPECT_EQ(escapedOutput({"\xC2",
                           "\x9B"
                           "2J Cr\xC3\xA8me \xC2\xA9\x7f"}),
            "\\u009b2J Cr\xC3\xA8me \xC2\xA9\\x7f");

  // The program's own progress line passes as it is.
  std::stringbuf target;
  ControlEscapingBuffer buffer(target);
  std::ostream out(&buffer);
  out << "3 of 9" << TerminalControl{"\r\x1b[K"} << "done\x1b\n" << std::flush;
  EXPECT_EQ(target.str(), "3 of 9\r\x1b[Kdone\\x1b\n");
}

TEST(ControlEscapingBufferTest, AFailedWriteFailsTheStreamAndKeepsTheError) {
  struct FullDisk : std::streambuf {
    std::streamsize xsputn(const char*, std::streamsize) override {
      errno = ENOSPC;
      return 0;
    }
  } full;
  ControlEscapingBuffer buffer(full);
  std::ostream out(&buffer);
  out << "order 1" << std::flush;
  EXPECT_TRUE(out.bad());
  EXPECT_EQ(buffer.error(), ENOSPC);
}

// FIPS 180-2's "abc" vector, the same bytes as a file (larger than one read
// block), and OpenSSH's unpadded base64 of the same digest.
TEST(DigestTest, Sha256AsHexOfTextAndFileAndAsBase64) {
  using namespace digest;
  constexpr const char* kAbc = "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";
  EXPECT_EQ(sha256Hex("abc"), kAbc);
  EXPECT_EQ(sha256Hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  EXPECT_EQ(sha256Base64("abc"), "ungWv48Bz+pBQUDeXa4iI7ADYaOWF3qctBD/YfIAFa0");

  testing::TempFolder folder;
  folder.write("abc", "abc");
  EXPECT_EQ(fileSha256Hex(folder.file("abc")), kAbc);
  const std::string big(200000, 'x');
  folder.write("big", big);
  EXPECT_EQ(fileSha256Hex(folder.file("big")), sha256Hex(big));
  EXPECT_EQ(fileSha256Hex(folder.file("missing")), "");
}

// Records what the registry asks of the windows.
struct WindowLog {
  std::vector<std::string> calls;

  ToolWindows::Window window(const std::string& name) {
    return {[this, name] { calls.push_back("open " + name); },
            [this, name] { calls.push_back("front " + name); },
            [this, name] { calls.push_back("close " + name); }};
  }
};

TEST(ToolWindowsTest, OpensOnceBringsForwardClosesOnlyOpenWindowsAndOpensAgainAfterClosing) {
  WindowLog log;
  ToolWindows windows;
  windows.add("Wizard1", log.window("Wizard1"));
  windows.add("frmOrders", log.window("frmOrders"));
  windows.close("Wizard1");  // not open: nothing to close
  windows.show("Wizard1");
  windows.show("frmOrders");
  windows.show("frmOrders");
  windows.close("Wizard1");
  EXPECT_FALSE(windows.isOpen("Wizard1"));
  EXPECT_TRUE(windows.isOpen("frmOrders"));
  // Closed by the user: the next show makes a new window.
  windows.closed("frmOrders");
  windows.show("frmOrders");
  // Unknown forms are ignored.
  windows.show("Form2");
  windows.close("Form3");
  windows.closed("Form2");
  EXPECT_FALSE(windows.isOpen("Form2"));
  EXPECT_EQ(log.calls,
            (std::vector<std::string>{"open Wizard1", "open frmOrders", "front frmOrders",
                                      "close Wizard1", "open frmOrders"}));
}

// Two entries wired to one name would leave one of them dead without a word.
TEST(CommandRegistryTest, ANameRegisteredTwiceIsRefused) {
  CommandRegistry commands;
  int runs = 0;
  commands.add("home", [&runs] { ++runs; });
  EXPECT_THROW(commands.add("home", [] {}), std::logic_error);
  EXPECT_TRUE(commands.run("home"));
  EXPECT_EQ(runs, 1);
  EXPECT_FALSE(commands.run("nobody"));
  // Taking over an entry is said so; there must be one to take over.
  commands.replace("home", [&runs] { runs += 10; });
  EXPECT_TRUE(commands.run("home"));
  EXPECT_EQ(runs, 11);
  EXPECT_THROW(commands.replace("nobody", [] {}), std::logic_error);
}

TEST(ListControl, InsertAndRemoveKeepTheSelectionOnItsEntry) {
  ListControl list;
  list.AddItem("b");
  list.AddItem("a", 0);
  list.AddItem("c");
  list.setListIndex(1);  // "b"
  EXPECT_EQ(list.Text(), "b");
  list.AddItem("first", 0);
  EXPECT_EQ(list.ListIndex(), 2);
  list.RemoveItem(0);
  EXPECT_EQ(list.ListIndex(), 1);
  list.RemoveItem(1);
  EXPECT_EQ(list.ListIndex(), -1);
  EXPECT_EQ(list.items(), (std::vector<std::string>{"a", "c"}));
  EXPECT_EQ(list.List(7), "");
}

TEST(ListControl, BadIndexesThrowLikeTheControl) {
  ListControl list;
  list.AddItem("only");
  EXPECT_THROW(list.RemoveItem(1), std::out_of_range);
  EXPECT_THROW(list.AddItem("x", 3), std::out_of_range);
  EXPECT_THROW(list.setListIndex(1), std::out_of_range);
  EXPECT_NO_THROW(list.setListIndex(-1));
}

TEST(ListControl, TellsListenersAboutChanges) {
  ListControl list;
  int changes = 0;
  auto id = list.addListener([&] { ++changes; });
  list.AddItem("x");
  list.setText("typed");
  list.setText("typed");  // no change, no notice
  list.Clear();
  EXPECT_EQ(changes, 3);
  list.removeListener(id);
  list.AddItem("y");
  EXPECT_EQ(changes, 3);
}

TEST(Timer, TicksEveryIntervalWhileEnabled) {
  ManualEventLoop loop;
  Timer timer(loop, 30000);
  int ticks = 0;
  timer.onTimer = [&] { ++ticks; };
  loop.advance(29999);
  EXPECT_EQ(ticks, 0);
  loop.advance(1);
  EXPECT_EQ(ticks, 1);
  loop.advance(60000);
  EXPECT_EQ(ticks, 3);
}

TEST(Timer, SettingEnabledOrIntervalRestartsTheCountdown) {
  ManualEventLoop loop;
  Timer timer(loop, 100, false);
  int ticks = 0;
  timer.onTimer = [&] { ++ticks; };
  loop.advance(500);
  EXPECT_EQ(ticks, 0);
  timer.setEnabled(true);
  loop.advance(60);
  timer.setInterval(100);  // restarts: next tick at 160
  loop.advance(60);
  EXPECT_EQ(ticks, 0);
  loop.advance(40);
  EXPECT_EQ(ticks, 1);
  timer.setInterval(0);  // an interval of 0 stops the timer
  loop.advance(1000);
  EXPECT_EQ(ticks, 1);
}

TEST(Timer, AHandlerThatDisablesTheTimerOrItsDestructionStopsIt) {
  ManualEventLoop loop;
  int ticks = 0;
  {
    Timer timer(loop, 100);
    timer.onTimer = [&] {
      ++ticks;
      timer.setEnabled(false);
    };
    loop.advance(1000);
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(loop.pendingCount(), 0u);
    timer.setEnabled(true);
  }
  loop.advance(1000);  // a destroyed timer does not tick
  EXPECT_EQ(ticks, 1);
}

}  // namespace
}  // namespace vendaro
