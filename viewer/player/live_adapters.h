#pragma once
// The process-wide list of live adapters that the library's callback consults. The library is
// given a token, never an address; a token is never reused, so a callback that arrives after its
// adapter was deleted (from a library thread that was left running) finds nothing and does
// nothing. Removing an adapter waits until callbacks already inside it have returned.

#include <cstdint>

namespace player {

class TarnAdap;

class LiveAdapters {
public:
    using Token = std::uintptr_t;

    // Keeps a callback's adapter alive for the callback's duration; empty when the token is dead.
    class Entry {
    public:
        Entry(Entry&& other) noexcept : token_(other.token_), adapter_(other.adapter_) { other.adapter_ = nullptr; }
        Entry(const Entry&) = delete;
        Entry& operator=(const Entry&) = delete;
        Entry& operator=(Entry&&) = delete;
        ~Entry();
        TarnAdap* adapter() const { return adapter_; }
        explicit operator bool() const { return adapter_ != nullptr; }

    private:
        friend class LiveAdapters;
        Entry(Token token, TarnAdap* adapter) : token_(token), adapter_(adapter) {}
        Token token_;
        TarnAdap* adapter_;
    };

    static Token Add(TarnAdap* adapter);
    // Must not be called from inside a callback of the same adapter.
    static void Remove(Token token);
    static Entry Enter(Token token);
};

} // namespace player
