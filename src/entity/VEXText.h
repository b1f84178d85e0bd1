// Text helpers: one-line escaping of strings in files, quoting, searching,
// letter case, trimming, wildcard masks, and comma text (the field rules of
// CSV lines and report rows).
#pragma once

#include <string>
#include <string_view>
#include <vector>

// "<" -> "<<", CR LF -> "<CRLF>", CR -> "<CR>", LF -> "<LF>", in this order.
std::string EscapeText(std::string_view Text);
std::string UnescapeText(std::string_view Text);
// Encloses Text in Quote, doubling each Quote inside.
std::string QuotedText(std::string_view Text, char Quote);
// Quotes Text only when it contains Substring.
std::string QuotedTextIfContains(std::string_view Text, std::string_view Substring, char Quote);
// 1-based position of the N-th occurrence (each search one character after the
// previous hit); 0 when there are fewer.
int PosN(std::string_view Substring, std::string_view Text, int N);
int LastPos(std::string_view Substring, std::string_view Text);
// "SteelSectionList0" -> ("SteelSectionList", 0); no trailing digits -> (Text, -1).
void SplitTrailingNumber(std::string_view Text, std::string& Name, int& Number);

std::string UpperCase(std::string_view Text);
std::string LowerCase(std::string_view Text);
bool SameText(std::string_view A, std::string_view B);
bool StartsText(std::string_view Prefix, std::string_view Text);
std::string Trim(std::string_view Text);
std::string TrimLeft(std::string_view Text);
std::string TrimRight(std::string_view Text);
std::string ReplaceAll(std::string_view Text, std::string_view From, std::string_view To);
std::string ReplaceAllText(std::string_view Text, std::string_view From, std::string_view To);
// Wildcard match: "*" any run, "?" any one character, letter case ignored.
bool MatchesMask(std::string_view Text, std::string_view Mask);

// Comma text.
// Reading: blanks and control characters around a field are skipped; a quoted
// field may hold commas, blanks and doubled quotes; an unquoted field ends at a
// comma, blank or control character; ",," encloses an empty field and a comma
// at the end adds an empty last field. With StrictDelimiter blanks do not split.
std::vector<std::string> SplitCommaText(std::string_view Text, bool StrictDelimiter = false);
// Writing: fields joined by ","; a field holding a blank, control character,
// comma or double quote is quoted; a single empty field is written as "".
std::string JoinCommaText(const std::vector<std::string>& Fields);
