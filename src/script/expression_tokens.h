// The tokens of expressions: one character at a time, blanks and tabs skipped (so blanks never
// separate anything). Both readers of expressions, the interpreter and the compiler of
// programs, take their tokens from here.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace velk {
namespace token_detail {

constexpr std::array<bool, 256> MakeOperatorTable() {
    std::array<bool, 256> table{};
    constexpr std::string_view kOperators = "0123456789(){}[]<>+-*/=&^%$#@?!:.,;'|~`\\";
    for (char c : kOperators) table[static_cast<unsigned char>(c)] = true;
    return table;
}

// The characters that end a name.
inline constexpr std::array<bool, 256> kOperatorChars = MakeOperatorTable();

}  // namespace token_detail

class ExpressionTokens {
  public:
    static constexpr int kEnd = -1;

    int Token() const { return token_; }
    void Next() {
        while (position_ < text_.size() && (text_[position_] == ' ' || text_[position_] == '\t')) {
            ++position_;
        }
        token_ = position_ < text_.size() ? static_cast<unsigned char>(text_[position_++]) : kEnd;
    }
    static bool IsDigit(int token) { return token >= '0' && token <= '9'; }
    static bool IsNameChar(int token) {
        return token != kEnd && !token_detail::kOperatorChars[static_cast<std::size_t>(token)];
    }
    // A name: name characters, digits and "_", gathered from the tokens.
    std::string Name();

  protected:
    explicit ExpressionTokens(std::string_view text) : text_(text) {}

    // The characters of a number: digits, ".", the exponent letters, and a "-" right after one.
    std::string NumberText();

    std::string_view Text() const { return text_; }
    // Where the next token starts to be looked for.
    std::size_t Position() const { return position_; }
    // Reading goes on at `position` (the text's size: at its end).
    void MoveTo(std::size_t position) {
        position_ = position;
        Next();
    }
    // Where an error happened, as scripts are told: the text up to the current token.
    std::string ErrorPlace() const;

  private:
    std::string_view text_;
    std::size_t position_ = 0;
    int token_ = kEnd;
};

}  // namespace velk
