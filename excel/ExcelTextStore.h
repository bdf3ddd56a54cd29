#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string_view>
#include <type_traits>
#include <vector>

// The texts of a workbook's cells, each distinct text kept once. A cell
// holds the number of its text, so a sheet of hundreds of thousands of
// repeated texts costs no more than its distinct texts, and saving finds a
// text's shared-string entry by that number instead of comparing texts.
template <typename Char> class ExcelTextPool
{
public:
    using View = std::basic_string_view<Char>;

    std::uint32_t Intern(View text)
    {
        if (m_slots.empty() || 2 * (m_entries.size() + 1) > m_slots.size())
            Rehash(m_slots.empty() ? 1024 : 2 * m_slots.size());
        const std::uint64_t hash = Hash(text);
        std::size_t slot = hash & (m_slots.size() - 1);
        for (;;) {
            const std::uint32_t stored = m_slots[slot];
            if (stored == 0)
                break;
            if (m_entries[stored - 1] == text)
                return stored - 1;
            slot = (slot + 1) & (m_slots.size() - 1);
        }
        const auto id = static_cast<std::uint32_t>(m_entries.size());
        m_entries.push_back(Store(text));
        m_slots[slot] = id + 1;
        m_characters += text.size();
        return id;
    }

    View Text(std::uint32_t id) const { return m_entries[id]; }
    std::uint32_t Count() const { return static_cast<std::uint32_t>(m_entries.size()); }
    // Characters of all distinct texts together.
    std::size_t CharacterCount() const { return m_characters; }

    void Clear()
    {
        m_chunks.clear();
        m_bigTexts.clear();
        m_entries.clear();
        m_slots.clear();
        m_used = 0;
        m_characters = 0;
    }

private:
    static constexpr std::size_t kChunk = 32768;

    static std::uint64_t Hash(View text)
    {
        std::uint64_t hash = 1469598103934665603ull;
        for (Char c : text) {
            hash ^= static_cast<std::uint64_t>(static_cast<std::make_unsigned_t<Char>>(c));
            hash *= 1099511628211ull;
        }
        return hash ^ (hash >> 29);
    }

    // Texts are copied into large chunks that never move, so the views stay
    // valid while the pool grows.
    View Store(View text)
    {
        if (text.empty())
            return View();
        if (text.size() > kChunk / 4) {
            // A big text gets a block of its own.
            m_bigTexts.push_back(std::make_unique<Char[]>(text.size()));
            std::copy(text.begin(), text.end(), m_bigTexts.back().get());
            return View(m_bigTexts.back().get(), text.size());
        }
        if (m_chunks.empty() || m_used + text.size() > kChunk) {
            m_chunks.push_back(std::make_unique<Char[]>(kChunk));
            m_used = 0;
        }
        Char* destination = m_chunks.back().get() + m_used;
        std::copy(text.begin(), text.end(), destination);
        m_used += text.size();
        return View(destination, text.size());
    }

    void Rehash(std::size_t size)
    {
        m_slots.assign(size, 0);
        for (std::uint32_t id = 0; id < m_entries.size(); ++id) {
            std::size_t slot = Hash(m_entries[id]) & (size - 1);
            while (m_slots[slot] != 0)
                slot = (slot + 1) & (size - 1);
            m_slots[slot] = id + 1;
        }
    }

    std::vector<std::unique_ptr<Char[]>> m_chunks;
    std::vector<std::unique_ptr<Char[]>> m_bigTexts;
    std::size_t m_used = 0;
    std::deque<View> m_entries;
    std::vector<std::uint32_t> m_slots; // id + 1, 0 = empty
    std::size_t m_characters = 0;
};

struct ExcelTextStore
{
    ExcelTextPool<char> narrow; // UTF-8
    ExcelTextPool<char16_t> wide;

    void Clear()
    {
        narrow.Clear();
        wide.Clear();
    }
};
