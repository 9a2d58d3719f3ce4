// Child lists, attribute maps and tag lists. All are live: they read the tree
// on each call, and keep a cursor so that walking the indexes in order costs
// O(1) per item over libxml2's linked lists. The document's change counter
// tells them when a cached position may no longer be in the tree.
#include <libxml/tree.h>

#include <atomic>
#include <string>
#include <vector>

#include "host/xml_document.h"
#include "host/xml_utf.h"

namespace TeskUtility::detail {
namespace {

// Keeps what a list reads from alive: the parent's wrapper, or the document for its own node.
class Anchor {
public:
    Anchor(XmlDocument& owner, XmlNodePtr parent) : owner_(owner) {
        if (parent != nullptr && parent->type != XML_DOCUMENT_NODE) {
            parent_ = parent;
            hold_ = owner.Wrap(parent);
        } else {
            owner.AddRef();
        }
    }
    ~Anchor() {
        if (hold_ != nullptr)
            hold_->Release();
        else
            owner_.Release();
    }
    Anchor(const Anchor&) = delete;
    Anchor& operator=(const Anchor&) = delete;

    XmlDocument& Owner() const { return owner_; }
    // The document node is looked up each time: a reload replaces it.
    XmlNodePtr Parent() const { return parent_ != nullptr ? parent_ : reinterpret_cast<XmlNodePtr>(owner_.Tree()); }

private:
    XmlDocument& owner_;
    XmlNodePtr parent_ = nullptr;
    IXMLDOMNode* hold_ = nullptr;
};

// A position in a sibling chain, remembered between calls.
class SiblingCursor {
public:
    XmlNodePtr At(XmlNodePtr first, std::int32_t index, std::uint64_t version) {
        if (index < 0) return nullptr;
        if (version != version_ || pos_ < 0 || index < pos_) {
            version_ = version;
            pos_ = 0;
            node_ = first;
        }
        while (node_ != nullptr && pos_ < index) {
            node_ = node_->next;
            ++pos_;
        }
        return node_;
    }
    std::int32_t Length(XmlNodePtr first, std::uint64_t version) {
        if (version != lengthVersion_) {
            length_ = 0;
            for (XmlNodePtr n = first; n != nullptr; n = n->next) ++length_;
            lengthVersion_ = version;
        }
        return length_;
    }

private:
    std::uint64_t version_ = 0;
    std::int32_t pos_ = -1;
    XmlNodePtr node_ = nullptr;
    std::uint64_t lengthVersion_ = ~std::uint64_t{0};
    std::int32_t length_ = 0;
};

template <typename Interface>
class Counted : public Interface {
public:
    std::uint32_t AddRef() override { return ++refs_; }
    std::uint32_t Release() override {
        const std::uint32_t left = --refs_;
        if (left == 0) delete this;
        return left;
    }

protected:
    virtual ~Counted() = default;

private:
    std::atomic<std::uint32_t> refs_{1};
};

HRESULT ItemResult(XmlDocument& owner, XmlNodePtr n, IXMLDOMNode** item) {
    if (item == nullptr) return E_POINTER;
    *item = owner.Wrap(n);
    return *item != nullptr ? S_OK : S_FALSE;
}

// Items are a sibling chain that starts at First(): a node's children or an element's attributes.
template <typename Interface>
class SiblingList : public Counted<Interface> {
public:
    SiblingList(XmlDocument& owner, XmlNodePtr parent) : anchor_(owner, parent) {}
    HRESULT get_length(std::int32_t* length) override {
        if (length == nullptr) return E_POINTER;
        *length = cursor_.Length(First(), anchor_.Owner().Version());
        return S_OK;
    }
    HRESULT get_item(std::int32_t index, IXMLDOMNode** item) override {
        return ItemResult(anchor_.Owner(), cursor_.At(First(), index, anchor_.Owner().Version()), item);
    }

protected:
    virtual XmlNodePtr First() const = 0;
    Anchor anchor_;

private:
    SiblingCursor cursor_;
};

class ChildList final : public SiblingList<IXMLDOMNodeList> {
public:
    using SiblingList::SiblingList;

private:
    XmlNodePtr First() const override {
        XmlNodePtr p = anchor_.Parent();
        const bool hasChildren = p->type == XML_ELEMENT_NODE || p->type == XML_DOCUMENT_NODE ||
                                 p->type == XML_DOCUMENT_FRAG_NODE || p->type == XML_ATTRIBUTE_NODE;
        return hasChildren ? p->children : nullptr;
    }
};

class AttributeMap final : public SiblingList<IXMLDOMNamedNodeMap> {
public:
    using SiblingList::SiblingList;
    HRESULT getNamedItem(std::u16string_view name, IXMLDOMNode** item) override {
        if (item == nullptr) return E_POINTER;
        const std::string qname = ToUtf8(name);
        for (XmlNodePtr a = First(); a != nullptr; a = a->next)
            if (QualifiedNameIs(a, qname)) return ItemResult(anchor_.Owner(), a, item);
        *item = nullptr;
        return S_FALSE;
    }

private:
    XmlNodePtr First() const override { return reinterpret_cast<XmlNodePtr>(anchor_.Parent()->properties); }
};

class TagList final : public Counted<IXMLDOMNodeList> {
public:
    TagList(XmlDocument& owner, XmlNodePtr root, std::string name) : anchor_(owner, root), name_(std::move(name)) {}
    HRESULT get_length(std::int32_t* length) override {
        if (length == nullptr) return E_POINTER;
        *length = static_cast<std::int32_t>(Matches().size());
        return S_OK;
    }
    HRESULT get_item(std::int32_t index, IXMLDOMNode** item) override {
        const auto& m = Matches();
        const bool inside = index >= 0 && static_cast<std::size_t>(index) < m.size();
        return ItemResult(anchor_.Owner(), inside ? m[static_cast<std::size_t>(index)] : nullptr, item);
    }

private:
    // Descendant elements in document order, collected again after any change.
    const std::vector<XmlNodePtr>& Matches() {
        const std::uint64_t v = anchor_.Owner().Version();
        if (collected_ && v == version_) return matches_;
        matches_.clear();
        const bool all = name_ == "*";
        XmlNodePtr root = anchor_.Parent();
        for (XmlNodePtr cur = root->children; cur != nullptr; cur = NextInSubtree(cur, root))
            if (cur->type == XML_ELEMENT_NODE && (all || QualifiedNameIs(cur, name_))) matches_.push_back(cur);
        version_ = v;
        collected_ = true;
        return matches_;
    }

    Anchor anchor_;
    std::string name_;
    std::vector<XmlNodePtr> matches_;
    std::uint64_t version_ = 0;
    bool collected_ = false;
};

}  // namespace

IXMLDOMNodeList* NewChildList(XmlDocument& owner, XmlNodePtr parent) { return new ChildList(owner, parent); }
IXMLDOMNamedNodeMap* NewAttributeMap(XmlDocument& owner, XmlNodePtr element) { return new AttributeMap(owner, element); }
IXMLDOMNodeList* NewTagList(XmlDocument& owner, XmlNodePtr root, std::string utf8Name) {
    return new TagList(owner, root, std::move(utf8Name));
}

}  // namespace TeskUtility::detail
