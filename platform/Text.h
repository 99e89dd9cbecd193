#pragma once

#include <string>
#include <string_view>

// The program's small text primitives, in one place for every floor: ASCII
// letter case, CR LF line ends, and every escaper: HTML, XML, script and
// JSON strings, backslash-quoted strings, percent-encoding.
// Texts are UTF-8; only ASCII letters change case.
namespace vendaro::text {

inline constexpr std::string_view kCrLf = "\r\n";

char lowerAscii(char c);
char upperAscii(char c);
std::string lowerAscii(std::string_view text);
std::string upperAscii(std::string_view text);
bool equalsIgnoringCase(std::string_view a, std::string_view b);
bool startsWithIgnoringCase(std::string_view text, std::string_view prefix);

// Every line break (CR LF, lone LF or lone CR) as CR LF.
std::string withCrLf(std::string_view text);
// Every CR LF as LF; lone CRs and LFs stay.
std::string withLf(std::string_view text);

// `value` without the blanks (space, tab, CR, LF) at either end.
std::string_view trimmed(std::string_view value);

// True for an http:// or https:// address (scheme in any letter case).
bool isWebAddress(std::string_view address);

// `value` percent-encoded: every byte but ASCII letters, digits and the
// characters of `kept` as %XX. The default keeps what a query value may hold.
std::string percentEncoded(std::string_view value, std::string_view kept = "-._~");
// `value` with only the characters of `encoded` percent-encoded; every other
// byte stays as it is.
std::string percentEncodedOnly(std::string_view value, std::string_view encoded);

// `value` as HTML text or a quoted attribute value: & < > " and ' escaped.
std::string htmlEscaped(std::string_view value);
// The same for XML, where ' is written &apos;.
std::string xmlEscaped(std::string_view value);
// `value` in a double-quoted attribute whose other characters stand as
// written: only " escaped, as &quot;.
std::string quotesEscaped(std::string_view value);

// `value` made safe for the inside of a double-quoted script string in an
// HTML page: backslash, double quote and line breaks are escaped, and
// "</script" and "<!--" are broken up so the value can never end the script
// element. HTML in the value is kept, so a text written with
// document.write still renders as HTML. Ordinary text comes back unchanged.
std::string scriptStringText(std::string_view value);
// The same, appended to `out`.
void appendScriptString(std::string& out, std::string_view value);

// `value` as a JSON string, its double quotes included: quote and backslash
// escaped, "<" as \u003c so that it cannot end a script element, control
// characters as \u00XX.
std::string jsonString(std::string_view value);

// `value` between two `quote` characters, each quote and backslash in it
// preceded by a backslash: IMAP and SFTP quoted strings, PHP single-quoted
// strings.
std::string backslashQuoted(std::string_view value, char quote);

}  // namespace vendaro::text
