// Replacement of matches by a text with "$" substitutions.
#include "support/regex/Regexp.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace {
// One piece of a replacement text: a literal run or a substitution.
struct Piece {
    enum class Kind { Literal, Group, Before, After, LastGroup, Input };
    Kind kind = Kind::Literal;
    std::string text;
    int group = 0;
};

void AddLiteral(std::vector<Piece>& pieces, const std::string& text)
{
    if (pieces.empty() || pieces.back().kind != Piece::Kind::Literal) pieces.push_back(Piece {});
    pieces.back().text += text;
}

void AddSubstitution(std::vector<Piece>& pieces, Piece::Kind kind, int group = 0)
{
    Piece piece;
    piece.kind = kind;
    piece.group = group;
    pieces.push_back(piece);
}

// Splits the replacement text once per replace operation. Digits after "$"
// name the group only as far as such a group exists: the last digit is dropped
// (and stays literal) while the number exceeds the group count.
std::vector<Piece> ScanReplacement(const std::string& replacement, const CRegexpA& expression)
{
    std::vector<Piece> pieces;
    std::size_t index = 0;
    std::size_t size = replacement.size();
    while (index < size) {
        char character = replacement[index];
        if (character != '$' || index + 1 == size) {
            AddLiteral(pieces, std::string(1, character));
            ++index;
            continue;
        }
        char next = replacement[index + 1];
        switch (next) {
        case '$':
            AddLiteral(pieces, "$");
            index += 2;
            continue;
        case '&':
            AddSubstitution(pieces, Piece::Kind::Group, 0);
            index += 2;
            continue;
        case '`':
            AddSubstitution(pieces, Piece::Kind::Before);
            index += 2;
            continue;
        case '\'':
            AddSubstitution(pieces, Piece::Kind::After);
            index += 2;
            continue;
        case '+':
            AddSubstitution(pieces, Piece::Kind::LastGroup);
            index += 2;
            continue;
        case '_':
            AddSubstitution(pieces, Piece::Kind::Input);
            index += 2;
            continue;
        default:
            break;
        }
        if (next >= '0' && next <= '9') {
            std::size_t digits = 0;
            while (digits < 3 && index + 1 + digits < size && replacement[index + 1 + digits] >= '0'
                && replacement[index + 1 + digits] <= '9')
                ++digits;
            for (; digits > 0; --digits) {
                int number = std::stoi(replacement.substr(index + 1, digits));
                if (number <= expression.GroupCount()) {
                    AddSubstitution(pieces, Piece::Kind::Group, number);
                    break;
                }
            }
            if (digits > 0) {
                index += 1 + digits;
            } else {
                AddLiteral(pieces, "$");
                ++index;
            }
            continue;
        }
        if (next == '{') {
            std::size_t close = replacement.find('}', index + 2);
            if (close != std::string::npos) {
                int number = expression.RegexGroupNumber(replacement.substr(index + 2, close - index - 2));
                if (number >= 0)
                    AddSubstitution(pieces, Piece::Kind::Group, number);
                else
                    AddLiteral(pieces, replacement.substr(index, close + 1 - index));
                index = close + 1;
                continue;
            }
        }
        AddLiteral(pieces, "$");
        ++index;
    }
    return pieces;
}

std::string GroupText(const std::string& text, const MatchResult& match, int group)
{
    int start = match.GroupStart(group);
    int end = match.GroupEnd(group);
    if (start < 0 || end < start) return std::string();
    return text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start));
}

// No text of a program may pass 256 MiB: a replacement that would build a
// longer one gives up before it takes the memory (the caller's failure value).
constexpr std::size_t MaxResultLength = 256u * 1024u * 1024u;

void CheckResultLength(std::size_t length)
{
    if (length > MaxResultLength) throw std::length_error("regular-expression replacement past the text bound");
}

std::string Substitute(const std::vector<Piece>& pieces, const std::string& text, const MatchResult& match)
{
    std::string out;
    auto matchStart = static_cast<std::size_t>(match.GroupStart(0));
    auto matchEnd = static_cast<std::size_t>(match.GroupEnd(0));
    for (const Piece& piece : pieces) {
        CheckResultLength(out.size());
        switch (piece.kind) {
        case Piece::Kind::Literal:
            out += piece.text;
            break;
        case Piece::Kind::Group:
            out += GroupText(text, match, piece.group);
            break;
        case Piece::Kind::Before:
            out.append(text, 0, matchStart);
            break;
        case Piece::Kind::After:
            out.append(text, matchEnd, std::string::npos);
            break;
        case Piece::Kind::LastGroup:
            for (int group = match.MaxGroupNumber(); group >= 0; --group) {
                if (match.GroupStart(group) >= 0) {
                    out += GroupText(text, match, group);
                    break;
                }
            }
            break;
        case Piece::Kind::Input:
            out += text;
            break;
        }
    }
    return out;
}

struct Replaced {
    int start;
    int end;
    std::string text;
};

// Copies the text from `copied` up to the match, then the substitution. A match that a recursion into a group
// of the other direction placed partly before the previous one's end overlaps the text already taken: that part
// is neither copied again nor taken twice.
void AppendPieces(
    std::string& out, const std::string& text, std::size_t& copied, int start, int end, const std::string& substitution)
{
    auto matchStart = static_cast<std::size_t>(start);
    CheckResultLength(out.size() + (matchStart > copied ? matchStart - copied : 0) + substitution.size());
    if (matchStart > copied) out.append(text, copied, matchStart - copied);
    out += substitution;
    copied = std::max(copied, static_cast<std::size_t>(end));
}
} // namespace

std::string CRegexpA::RegexReplace(const std::string& text, const std::string& replacement, int start, int count,
    MatchResult* result, CContext* context) const
{
    std::vector<Piece> pieces = ScanReplacement(replacement, *this);
    CContext ownContext;
    CContext& run = context ? *context : ownContext;
    // One step budget covers the whole replace, as much as one search of the
    // text may take: a pattern that works hard for each of many matches ends
    // (as "no match" from there on) rather than multiplying the work.
    const int64_t searchBase = run.baseStepBudget;
    const int64_t perText = CContext::kStepsPerTextByte * static_cast<int64_t>(text.size());
    int64_t stepsLeft = searchBase + perText;
    struct RestoreBase {
        CContext& run;
        int64_t base;
        ~RestoreBase() { run.baseStepBudget = base; }
    } restore { run, searchBase };
    bool backwards = RunsRightToLeft();
    // Left to right the new text grows as matches are found; right to left the matches come from the end
    // and are joined in text order afterwards.
    std::vector<Replaced> replaced;
    std::size_t pending = 0;
    std::string out;
    std::size_t copied = 0;
    int length = static_cast<int>(text.size());
    int position = start < 0 ? (backwards ? length : 0) : (backwards ? std::min(start, length) : start);
    for (int done = 0; count < 0 || done < count; ++done) {
        run.baseStepBudget = stepsLeft - perText;
        MatchResult match = RegexMatch(text, position, &run);
        stepsLeft -= run.steps;
        if (!match.IsMatched()) break;
        std::string substitution = Substitute(pieces, text, match);
        if (backwards) {
            // The pieces wait to be joined: their sum alone must stay inside the bound.
            pending += substitution.size();
            CheckResultLength(pending);
            replaced.push_back({ match.GroupStart(0), match.GroupEnd(0), std::move(substitution) });
        } else
            AppendPieces(out, text, copied, match.GroupStart(0), match.GroupEnd(0), substitution);
        if (result) *result = std::move(match);
        // The search always moves on (see RegexMatch); should it ever not, stop rather than loop for ever.
        if (backwards ? run.nextStart > position : run.nextStart < position) break;
        position = run.nextStart;
    }
    for (auto piece = replaced.rbegin(); piece != replaced.rend(); ++piece)
        AppendPieces(out, text, copied, piece->start, piece->end, piece->text);
    out.append(text, copied, std::string::npos);
    return out;
}
