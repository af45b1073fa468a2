#include "core/Text.h"

#include <cstdlib>
#include <cstring>

CString::CString(CString&& other) noexcept
    : data_(other.data_), length_(other.length_), capacity_(other.capacity_)
{
    other.data_ = nullptr;
    other.length_ = 0;
    other.capacity_ = 0;
}

CString& CString::operator=(CString&& other) noexcept
{
    if (this != &other) {
        std::free(data_);
        data_ = other.data_;
        length_ = other.length_;
        capacity_ = other.capacity_;
        other.data_ = nullptr;
        other.length_ = 0;
        other.capacity_ = 0;
    }
    return *this;
}

CString::~CString()
{
    std::free(data_);
}

bool CString::Preallocate(std::size_t length)
{
    if (length <= capacity_)
        return true;
    if (length > kMaxLength)
        return false;
    char* grown = static_cast<char*>(std::realloc(data_, length + 1));
    if (!grown)
        return false;
    if (!data_)
        grown[0] = '\0';
    data_ = grown;
    capacity_ = length;
    return true;
}

bool CString::Append(const char* text, std::size_t length)
{
    if (length > kMaxLength - length_)
        return false;
    const std::size_t needed = length_ + length;
    if (needed > capacity_) {
        // A piece of this very text stays readable when the text moves.
        const bool own = data_ && text >= data_ && text <= data_ + length_;
        const std::size_t offset = own ? static_cast<std::size_t>(text - data_) : 0;
        // Room grows by doubling, up to the most a string holds, so that a
        // text built chunk by chunk is moved only a few times.
        std::size_t room = capacity_ < kMaxLength / 2 ? capacity_ * 2 : kMaxLength;
        if (room < needed)
            room = needed;
        if (!Preallocate(room))
            return false;
        if (own)
            text = data_ + offset;
    }
    if (length != 0)
        std::memmove(data_ + length_, text, length);
    length_ = needed;
    if (data_)
        data_[length_] = '\0';
    return true;
}

bool CString::Append(const char* text)
{
    return Append(text, std::strlen(text));
}

bool CString::Append(std::initializer_list<const char*> pieces)
{
    const std::size_t before = length_;
    for (const char* piece : pieces) {
        if (!Append(piece)) {
            length_ = before;
            if (data_)
                data_[length_] = '\0';
            return false;
        }
    }
    return true;
}

bool CString::Assign(const char* text, std::size_t length)
{
    if (length > capacity_) {
        // A new block, so that the old text stays whole if there is none.
        CString replacement;
        if (!replacement.Append(text, length))
            return false;
        *this = static_cast<CString&&>(replacement);
        return true;
    }
    length_ = 0;
    return Append(text, length);
}

bool CString::Assign(const char* text)
{
    return Assign(text, std::strlen(text));
}

void CString::Empty()
{
    std::free(data_);
    data_ = nullptr;
    length_ = 0;
    capacity_ = 0;
}

bool CString::StartsWith(const char* opening) const
{
    const std::size_t length = std::strlen(opening);
    return length <= length_ && std::memcmp(GetString(), opening, length) == 0;
}

bool operator==(const CString& text, const char* other)
{
    const std::size_t length = std::strlen(other);
    return length == text.GetLength() && std::memcmp(text.GetString(), other, length) == 0;
}
