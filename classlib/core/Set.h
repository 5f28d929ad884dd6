#pragma once
// A set of enumeration values, as the library's published set properties
// ([akTop, akRight], [biSystemMenu], [fsBold]) hold them: one bit per value.

#include <cstdint>
#include <initializer_list>

template <class E>
class TSet {
public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> Items) {
        for (E e : Items) bits_ |= Bit(e);
    }
    static constexpr TSet FromBits(std::uint32_t Bits) {
        TSet s;
        s.bits_ = Bits;
        return s;
    }

    constexpr bool Contains(E e) const { return (bits_ & Bit(e)) != 0; }
    constexpr TSet& Include(E e) { bits_ |= Bit(e); return *this; }
    constexpr TSet& Exclude(E e) { bits_ &= ~Bit(e); return *this; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr std::uint32_t Bits() const { return bits_; }

    constexpr TSet operator+(TSet o) const { return FromBits(bits_ | o.bits_); }
    constexpr TSet operator-(TSet o) const { return FromBits(bits_ & ~o.bits_); }
    constexpr TSet operator*(TSet o) const { return FromBits(bits_ & o.bits_); }
    constexpr bool operator==(const TSet&) const = default;

private:
    static constexpr std::uint32_t Bit(E e) { return std::uint32_t{1} << static_cast<unsigned>(e); }
    std::uint32_t bits_ = 0;
};
