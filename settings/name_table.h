// Chained hash tables keyed by names (byte strings), the storage of the
// setting store. The hash is fixed by the store's contract: every byte taken
// as a signed 8-bit number, h = h * 5 + byte modulo 2^32; the bucket is the
// hash modulo the bucket count. Enumeration walks the buckets in order.
//
// Nodes never move once inserted, so pointers to names and values stay valid
// until their entry is changed or erased or the table is cleared or destroyed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <utility>

namespace TeskUtility::detail {

constexpr std::uint32_t HashName(std::string_view name) {
    std::uint32_t h = 0;
    for (const char c : name) h = h * 5 + static_cast<std::uint32_t>(static_cast<std::int32_t>(static_cast<signed char>(c)));
    return h;
}

// The chain logic, shared by the node kinds below. A Node has `next`, `hash`,
// Name(), static Make(name, hash, args...), static Clone(node) and static Free(node).
template <typename Node>
class HashChain {
public:
    HashChain() = default;
    HashChain(const HashChain& other) {
        try {
            other.ForEach([this](const Node& n) { Link(Node::Clone(n)); });
        } catch (...) {
            Clear();
            throw;
        }
    }
    HashChain& operator=(const HashChain&) = delete;
    ~HashChain() { Clear(); }

    std::size_t Size() const { return size_; }

    Node* Find(std::string_view name) const {
        if (!buckets_) return nullptr;
        const std::uint32_t h = HashName(name);
        for (Node* n = buckets_[h % bucketCount_]; n; n = n->next)
            if (n->hash == h && n->Name() == name) return n;
        return nullptr;
    }

    // Inserts a node made from (name, args...) unless the name is present;
    // returns the node holding the name and whether it was inserted.
    template <typename... Args>
    std::pair<Node*, bool> TryEmplace(std::string_view name, Args&&... args) {
        const std::uint32_t h = HashName(name);
        if (buckets_)
            for (Node* n = buckets_[h % bucketCount_]; n; n = n->next)
                if (n->hash == h && n->Name() == name) return {n, false};
        return {Link(Node::Make(name, h, std::forward<Args>(args)...)), true};
    }

    bool Erase(std::string_view name) {
        if (!buckets_) return false;
        const std::uint32_t h = HashName(name);
        for (Node** link = &buckets_[h % bucketCount_]; *link; link = &(*link)->next) {
            Node* n = *link;
            if (n->hash == h && n->Name() == name) {
                *link = n->next;
                Node::Free(n);
                --size_;
                return true;
            }
        }
        return false;
    }

    void Clear() {
        for (std::size_t b = 0; b < bucketCount_; ++b) {
            for (Node* n = buckets_[b]; n;) {
                Node* next = n->next;
                Node::Free(n);
                n = next;
            }
            buckets_[b] = nullptr;
        }
        size_ = 0;
    }

    // Calls f(node) for every entry in bucket order.
    template <typename F>
    void ForEach(F&& f) const {
        for (std::size_t b = 0; b < bucketCount_; ++b)
            for (Node* n = buckets_[b]; n; n = n->next) f(*n);
    }

    void Swap(HashChain& other) noexcept {
        std::swap(buckets_, other.buckets_);
        std::swap(bucketCount_, other.bucketCount_);
        std::swap(size_, other.size_);
    }

private:
    // Primes near successive doublings, from the 17 buckets of a fresh table;
    // a prime keeps the weak multiply-by-5 hash spread over all buckets.
    static std::size_t NextBucketCount(std::size_t current) {
        static constexpr std::size_t kPrimes[] = {17, 37, 79, 163, 331, 673, 1361, 2729, 5471, 10949, 21911,
                                                  43853, 87719, 175447, 350899, 701819, 1403641, 2807303,
                                                  5614657, 11229331, 22458671, 44917381, 89834777, 179669557};
        for (const std::size_t p : kPrimes)
            if (p > current) return p;
        return current * 2 + 1;
    }

    Node* Link(Node* node) {
        if (size_ >= bucketCount_) {
            try {
                Grow();
            } catch (...) {
                Node::Free(node);
                throw;
            }
        }
        Node*& head = buckets_[node->hash % bucketCount_];
        node->next = head;
        head = node;
        ++size_;
        return node;
    }

    void Grow() {
        const std::size_t count = NextBucketCount(bucketCount_);
        auto fresh = std::make_unique<Node*[]>(count);
        for (std::size_t b = 0; b < bucketCount_; ++b) {
            for (Node* n = buckets_[b]; n;) {
                Node* next = n->next;
                Node*& head = fresh[n->hash % count];
                n->next = head;
                head = n;
                n = next;
            }
        }
        buckets_ = std::move(fresh);
        bucketCount_ = count;
    }

    std::unique_ptr<Node*[]> buckets_;
    std::size_t bucketCount_ = 0;
    std::size_t size_ = 0;
};

// A name with a value of any type.
template <typename V>
struct ValueNode {
    ValueNode* next;
    std::uint32_t hash;
    std::string name;
    V value;

    std::string_view Name() const { return name; }
    const char* CName() const { return name.c_str(); }

    template <typename... Args>
    static ValueNode* Make(std::string_view n, std::uint32_t h, Args&&... args) {
        return new ValueNode{nullptr, h, std::string(n), V(std::forward<Args>(args)...)};
    }
    static ValueNode* Clone(const ValueNode& other) { return new ValueNode{nullptr, other.hash, other.name, other.value}; }
    static void Free(ValueNode* n) { delete n; }
};

// A name with a text value, both in one allocation: loading a file makes one
// block per key instead of three. A value that outgrows the room it was made
// with moves to a block of its own; the name never moves.
class TextNode {
public:
    TextNode* next;
    std::uint32_t hash;

    std::string_view Name() const { return {Text(), nameLength_}; }
    const char* CName() const { return Text(); }
    const char* Value() const { return value_; }
    std::size_t ValueLength() const { return valueLength_; }

    // `text` may point into this node's own value.
    void SetValue(std::string_view text) {
        if (text.size() <= room_) {
            char* inlineValue = Text() + nameLength_ + 1;
            if (!text.empty()) std::memmove(inlineValue, text.data(), text.size());
            inlineValue[text.size()] = '\0';
            ReleaseOwnBlock();
            value_ = inlineValue;
        } else {
            char* block = new char[text.size() + 1];
            std::memcpy(block, text.data(), text.size());
            block[text.size()] = '\0';
            ReleaseOwnBlock();
            value_ = block;
        }
        valueLength_ = text.size();
    }

    static TextNode* Make(std::string_view name, std::uint32_t h, std::string_view value = {}) {
        void* raw = ::operator new(sizeof(TextNode) + name.size() + 1 + value.size() + 1);
        auto* n = new (raw) TextNode(h, name, value.size());
        if (!name.empty()) std::memcpy(n->Text(), name.data(), name.size());
        n->Text()[name.size()] = '\0';
        n->SetValue(value);
        return n;
    }
    static TextNode* Clone(const TextNode& other) {
        return Make(other.Name(), other.hash, std::string_view(other.value_, other.valueLength_));
    }
    static void Free(TextNode* n) {
        n->ReleaseOwnBlock();
        n->~TextNode();
        ::operator delete(n);
    }

private:
    TextNode(std::uint32_t h, std::string_view name, std::size_t room)
        : next(nullptr), hash(h), nameLength_(name.size()), room_(room) {}

    char* Text() { return reinterpret_cast<char*>(this + 1); }
    const char* Text() const { return reinterpret_cast<const char*>(this + 1); }
    void ReleaseOwnBlock() {
        if (value_ && value_ != Text() + nameLength_ + 1) delete[] value_;
    }

    std::size_t nameLength_;
    std::size_t room_;   // value bytes that fit inside the node
    char* value_ = nullptr;
    std::size_t valueLength_ = 0;
};

template <typename V>
using NameTable = HashChain<ValueNode<V>>;
using TextTable = HashChain<TextNode>;

}  // namespace TeskUtility::detail
