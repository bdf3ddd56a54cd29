// The directory side of the compound file: entries, the storage tree and
// path resolution.

#include "CompoundFile.h"

#include "LittleEndian.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::uint32_t kNoEntry = 0xFFFFFFFF;
constexpr std::size_t kMaxNameUnits = 31;

} // namespace

std::u16string_view DirectoryEntry::Name() const
{
    const std::size_t units = nameLength >= 2 ? std::min<std::size_t>(nameLength / 2 - 1, kMaxNameUnits) : 0;
    return std::u16string_view(name.data(), units);
}

void DirectoryEntry::SetName(std::u16string_view text)
{
    name.fill(u'\0');
    const std::size_t units = std::min(text.size(), kMaxNameUnits);
    std::copy_n(text.begin(), units, name.begin());
    nameLength = static_cast<std::uint16_t>((units + 1) * 2);
}

void DirectoryEntry::Write(std::uint8_t* destination) const
{
    std::memset(destination, 0, 128);
    for (std::size_t i = 0; i < name.size(); ++i)
        LittleEndianWrite(destination, 2 * i, static_cast<std::uint16_t>(name[i]));
    LittleEndianWrite(destination, 64, nameLength);
    destination[66] = type;
    destination[67] = colour;
    LittleEndianWrite(destination, 68, leftSibling);
    LittleEndianWrite(destination, 72, rightSibling);
    LittleEndianWrite(destination, 76, child);
    std::memcpy(destination + 80, classId.data(), classId.size());
    LittleEndianWrite(destination, 96, stateBits);
    LittleEndianWrite(destination, 100, creationTime);
    LittleEndianWrite(destination, 108, modificationTime);
    LittleEndianWrite(destination, 116, start);
    LittleEndianWrite(destination, 120, size);
    LittleEndianWrite(destination, 124, std::uint32_t {0});
}

namespace {

// Readers compare entry names in upper case; the letters of ASCII and
// Latin-1 cover every name this writer makes.
char16_t NameUpper(char16_t c)
{
    if ((c >= u'a' && c <= u'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7))
        return static_cast<char16_t>(c - 0x20);
    return c;
}

bool SameName(std::u16string_view a, std::u16string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) {
        return NameUpper(x) == NameUpper(y);
    });
}

} // namespace

bool DirectoryNameNotAfter(std::u16string_view a, std::u16string_view b)
{
    if (a.size() != b.size())
        return a.size() < b.size();
    for (std::size_t i = 0; i < a.size(); ++i) {
        const char16_t x = NameUpper(a[i]);
        const char16_t y = NameUpper(b[i]);
        if (x != y)
            return x < y;
    }
    return true;
}

std::pair<std::u16string, std::u16string> CompoundFile::SplitPath(std::u16string_view path) const
{
    // A backslash at unit 0 only marks a path from the root.
    for (std::size_t p = path.size(); p-- > 1;) {
        if (path[p] == u'\\')
            return {std::u16string(path.substr(0, p)), std::u16string(path.substr(p + 1))};
    }
    if (!path.empty() && path[0] == u'\\')
        path.remove_prefix(1);
    return {std::u16string(), std::u16string(path)};
}

int CompoundFile::ChangeDirectory(std::u16string_view path)
{
    if (m_currentStorage == nullptr)
        return MissingStorage;
    if (path == u".")
        return Done;
    if (path == u"..") {
        if (m_currentStorage->parent != nullptr)
            m_currentStorage = m_currentStorage->parent;
        return Done;
    }
    if (path == u"\\") {
        m_currentStorage = m_treeRoot.get();
        return Done;
    }
    DirectoryTreeNode* const saved = m_currentStorage;
    DirectoryTreeNode* current = m_currentStorage;
    if (!path.empty() && path[0] == u'\\') {
        current = m_treeRoot.get();
        path.remove_prefix(1);
    }
    while (!path.empty()) {
        const std::size_t cut = path.find(u'\\');
        const std::u16string_view name = path.substr(0, cut);
        DirectoryTreeNode* next = FindChild(current, name);
        if (next == nullptr || next->entry->type == DirectoryEntry::Stream) {
            m_currentStorage = saved;
            return MissingStorage;
        }
        current = next;
        if (cut == std::u16string_view::npos)
            break;
        path.remove_prefix(cut + 1);
    }
    m_currentStorage = current;
    return Done;
}

DirectoryTreeNode* CompoundFile::FindChild(DirectoryTreeNode* storage, std::u16string_view name) const
{
    if (storage == nullptr || storage->entry->child == kNoEntry)
        return nullptr;
    // Names that differ only in case are the same name to every reader.
    for (const auto& child : storage->children) {
        if (SameName(child->entry->Name(), name))
            return child.get();
    }
    return nullptr;
}

DirectoryTreeNode* CompoundFile::FindEntry(std::u16string_view path)
{
    DirectoryTreeNode* const saved = m_currentStorage;
    if (!path.empty() && path[0] == u'\\')
        m_currentStorage = m_treeRoot.get();
    const auto [storagePath, name] = SplitPath(path);
    DirectoryTreeNode* node = nullptr;
    if (storagePath.empty() || ChangeDirectory(storagePath) == Done)
        node = FindChild(m_currentStorage, name);
    m_currentStorage = saved;
    return node;
}

int CompoundFile::MakeEntry(std::u16string_view path, std::unique_ptr<DirectoryEntry> entry)
{
    if (!path.empty() && path[0] == u'\\')
        m_currentStorage = m_treeRoot.get();
    const auto [storagePath, name] = SplitPath(path);
    if (!storagePath.empty() && ChangeDirectory(storagePath) != Done) {
        // Missing storages are made from the outermost in, each saved.
        const int made = MakeEntryOfType(storagePath, DirectoryEntry::Storage);
        if (made != Done)
            return made;
        if (ChangeDirectory(storagePath) != Done)
            return MissingStorage;
    }
    // An empty name cannot be looked up again and readers reject it.
    if (name.size() > kMaxNameUnits || name.empty())
        return NameTooLong;
    entry->SetName(name);
    if (FindChild(m_currentStorage, name) != nullptr)
        return NameTaken;

    std::uint32_t position = static_cast<std::uint32_t>(m_entries.size());
    for (std::uint32_t i = 1; i < m_entries.size(); ++i) {
        if (DirectoryNameNotAfter(name, m_entries[i]->Name())) {
            position = i;
            break;
        }
    }
    if (position != m_entries.size())
        RenumberFrom(m_treeRoot.get(), position);
    DirectoryEntry* raw = entry.get();
    m_entries.insert(m_entries.begin() + position, std::move(entry));
    AddTreeNode(m_currentStorage, raw, position);
    return Done;
}

void CompoundFile::RenumberFrom(DirectoryTreeNode* node, std::uint32_t index)
{
    if (node->index >= index)
        ++node->index;
    for (std::uint32_t* link : {&node->entry->leftSibling, &node->entry->rightSibling, &node->entry->child}) {
        if (*link != kNoEntry && *link >= index)
            ++*link;
    }
    for (const auto& child : node->children)
        RenumberFrom(child.get(), index);
}

void CompoundFile::AddTreeNode(DirectoryTreeNode* storage, DirectoryEntry* entry, std::uint32_t index)
{
    auto node = std::make_unique<DirectoryTreeNode>();
    node->parent = storage;
    node->entry = entry;
    node->index = index;
    const auto before = std::find_if(storage->children.begin(), storage->children.end(),
        [index](const auto& child) { return child->index > index; });
    storage->children.insert(before, std::move(node));
    RelinkChildren(storage);
}

void CompoundFile::RelinkChildren(DirectoryTreeNode* storage)
{
    auto& children = storage->children;
    const std::size_t n = children.size();
    if (n == 0) {
        storage->entry->child = kNoEntry;
        return;
    }
    // The middle child is the root of the sibling tree; the names before it
    // hang from it in a chain of left links, the names after it in a chain of
    // right links.
    const std::size_t middle = n / 2;
    for (const auto& child : children) {
        child->entry->leftSibling = kNoEntry;
        child->entry->rightSibling = kNoEntry;
    }
    for (std::size_t j = 1; j <= middle; ++j)
        children[j]->entry->leftSibling = children[j - 1]->index;
    storage->entry->child = children[middle]->index;
    for (std::size_t j = middle; j + 1 < n; ++j)
        children[j]->entry->rightSibling = children[j + 1]->index;
}
