// A chained hash table keyed by names (byte strings), the storage of the
// setting store. The hash is fixed by the store's contract: every byte taken
// as a signed 8-bit number, h = h * 5 + byte modulo 2^32; the bucket is the
// hash modulo the bucket count. Enumeration walks the buckets in order.
//
// Nodes never move once inserted, so pointers to names and values stay valid
// until their entry is erased or the table is cleared or destroyed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

namespace TeskUtility::detail {

constexpr std::uint32_t HashName(std::string_view name) {
    std::uint32_t h = 0;
    for (const char c : name) h = h * 5 + static_cast<std::uint32_t>(static_cast<std::int32_t>(static_cast<signed char>(c)));
    return h;
}

template <typename V>
class NameTable {
public:
    struct Node {
        Node* next;
        std::uint32_t hash;
        std::string name;
        V value;
    };

    NameTable() = default;
    NameTable(const NameTable& other) {
        other.ForEach([this](const Node& n) { TryEmplace(n.name, n.value); });
    }
    NameTable& operator=(const NameTable&) = delete;
    ~NameTable() { Clear(); }

    std::size_t Size() const { return size_; }

    Node* Find(std::string_view name) const {
        if (!buckets_) return nullptr;
        const std::uint32_t h = HashName(name);
        for (Node* n = buckets_[h % bucketCount_]; n; n = n->next)
            if (n->hash == h && n->name == name) return n;
        return nullptr;
    }

    // Inserts (name, V(args...)) unless the name is present; returns the node
    // holding the name and whether it was inserted.
    template <typename... Args>
    std::pair<Node*, bool> TryEmplace(std::string_view name, Args&&... args) {
        const std::uint32_t h = HashName(name);
        if (buckets_)
            for (Node* n = buckets_[h % bucketCount_]; n; n = n->next)
                if (n->hash == h && n->name == name) return {n, false};
        if (size_ >= bucketCount_) Grow();
        Node*& head = buckets_[h % bucketCount_];
        head = new Node{head, h, std::string(name), V(std::forward<Args>(args)...)};
        ++size_;
        return {head, true};
    }

    bool Erase(std::string_view name) {
        if (!buckets_) return false;
        const std::uint32_t h = HashName(name);
        for (Node** link = &buckets_[h % bucketCount_]; *link; link = &(*link)->next) {
            Node* n = *link;
            if (n->hash == h && n->name == name) {
                *link = n->next;
                delete n;
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
                delete n;
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

    void Swap(NameTable& other) noexcept {
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

}  // namespace TeskUtility::detail
