#pragma once

#include <cstddef>
#include <initializer_list>

// The framework's counted 8-bit string: the text, its length and the room
// it has. Growing it can fail, and says so: every call that may need more
// memory returns false and leaves the text as it was. A copy needs memory
// too, so there is no copy constructor; Assign says whether it worked.
class CString {
public:
    // The longest text a string holds; longer is as much too large to hold
    // as a text whose memory cannot be had.
    static constexpr std::size_t kMaxLength = static_cast<std::size_t>(-1) / 4;

    CString() = default;
    CString(CString&& other) noexcept;
    CString& operator=(CString&& other) noexcept;
    CString(const CString&) = delete;
    CString& operator=(const CString&) = delete;
    ~CString();

    // The text, zero-terminated; "" when empty.
    const char* GetString() const { return data_ ? data_ : ""; }
    std::size_t GetLength() const { return length_; }
    bool IsEmpty() const { return length_ == 0; }

    [[nodiscard]] bool Append(const char* text, std::size_t length);
    [[nodiscard]] bool Append(const char* text);
    [[nodiscard]] bool Append(const CString& text) { return Append(text.GetString(), text.GetLength()); }

    // Each piece in turn; false, with the text as it was, when one cannot
    // be held.
    [[nodiscard]] bool Append(std::initializer_list<const char*> pieces);

    [[nodiscard]] bool Assign(const char* text, std::size_t length);
    [[nodiscard]] bool Assign(const char* text);
    [[nodiscard]] bool Assign(const CString& text) { return Assign(text.GetString(), text.GetLength()); }

    // Makes room for a text of this length at once, so that appending up to
    // it never moves the text.
    [[nodiscard]] bool Preallocate(std::size_t length);

    // Empties the string and gives its memory back.
    void Empty();

    // Whether the text begins with the opening, byte for byte.
    bool StartsWith(const char* opening) const;

private:
    char* data_ = nullptr;
    std::size_t length_ = 0;
    std::size_t capacity_ = 0;  // bytes of data_ without the terminating zero
};

bool operator==(const CString& text, const char* other);
inline bool operator==(const char* other, const CString& text)
{
    return text == other;
}
inline bool operator!=(const CString& text, const char* other)
{
    return !(text == other);
}
inline bool operator!=(const char* other, const CString& text)
{
    return !(text == other);
}

