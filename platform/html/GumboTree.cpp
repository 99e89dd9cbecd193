#include "platform/html/GumboTree.h"

#include <cstddef>
#include <cstdlib>
#include <utility>
#include <vector>

namespace vendaro {

// Header in front of each block handed to gumbo; its size keeps the block
// aligned as malloc would.
struct alignas(std::max_align_t) GumboTree::Block {
  Block* previous;
  Block* next;
};

void* GumboTree::allocate(void* tree, size_t size) {
  auto* self = static_cast<GumboTree*>(tree);
  auto* block = static_cast<Block*>(std::malloc(sizeof(Block) + size));
  // gumbo does not check for failed allocations; stopping here beats a wild write.
  if (block == nullptr) std::abort();
  block->previous = nullptr;
  block->next = self->blocks_;
  if (self->blocks_ != nullptr) self->blocks_->previous = block;
  self->blocks_ = block;
  return block + 1;
}

void GumboTree::release(void* tree, void* pointer) {
  if (pointer == nullptr) return;
  auto* self = static_cast<GumboTree*>(tree);
  Block* block = static_cast<Block*>(pointer) - 1;
  if (block->previous != nullptr) {
    block->previous->next = block->next;
  } else {
    self->blocks_ = block->next;
  }
  if (block->next != nullptr) block->next->previous = block->previous;
  std::free(block);
}

GumboTree::GumboTree(std::string_view html) {
  GumboOptions options = kGumboDefaultOptions;
  options.allocator = &GumboTree::allocate;
  options.deallocator = &GumboTree::release;
  options.userdata = this;
  // Parse errors are of no use here; not recording them saves memory on broken pages.
  options.max_errors = 0;
  output_ = gumbo_parse_with_options(&options, html.data(), html.size());
}

GumboTree::~GumboTree() {
  while (blocks_ != nullptr) {
    Block* next = blocks_->next;
    std::free(blocks_);
    blocks_ = next;
  }
}

namespace {

const GumboVector* childrenOf(const GumboNode& node) {
  switch (node.type) {
    case GUMBO_NODE_DOCUMENT:
      return &node.v.document.children;
    case GUMBO_NODE_ELEMENT:
    case GUMBO_NODE_TEMPLATE:
      return &node.v.element.children;
    default:
      return nullptr;
  }
}

bool isElement(const GumboNode& node) {
  return node.type == GUMBO_NODE_ELEMENT || node.type == GUMBO_NODE_TEMPLATE;
}

bool isText(const GumboNode& node) {
  return node.type == GUMBO_NODE_TEXT || node.type == GUMBO_NODE_WHITESPACE ||
         node.type == GUMBO_NODE_CDATA;
}

}  // namespace

void GumboTree::walk(GumboVisitor& visitor) const {
  // Each entry is a node whose children are being visited and the next child's index.
  std::vector<std::pair<const GumboNode*, unsigned>> open;
  open.emplace_back(&document(), 0U);
  while (!open.empty()) {
    auto& [parent, index] = open.back();
    const GumboVector* children = childrenOf(*parent);
    if (index >= children->length) {
      if (isElement(*parent)) visitor.leaveElement(*parent);
      open.pop_back();
      continue;
    }
    const auto* child = static_cast<const GumboNode*>(children->data[index++]);
    if (isText(*child)) {
      visitor.text(*child);
    } else if (isElement(*child)) {
      if (visitor.enterElement(*child)) {
        open.emplace_back(child, 0U);
      } else {
        visitor.leaveElement(*child);
      }
    }
  }
}

}  // namespace vendaro
