#pragma once

#include <gumbo.h>

#include <string_view>

namespace vendaro {

// Receives the nodes of a gumbo tree in document order.
class GumboVisitor {
 public:
  virtual ~GumboVisitor() = default;
  // Called for an element or template node; returns whether to visit its children.
  virtual bool enterElement(const GumboNode& node) = 0;
  // Called after the children of an element (also when they were not visited).
  virtual void leaveElement(const GumboNode& node) = 0;
  // Called for text, white-space and CDATA nodes; comments are not reported.
  virtual void text(const GumboNode& node) = 0;
};

// A parsed HTML document. gumbo frees its tree recursively, which overflows
// the stack on deeply nested pages, so every block gumbo allocates is kept in
// a list and the whole tree is released by walking that list instead.
class GumboTree {
 public:
  explicit GumboTree(std::string_view html);
  ~GumboTree();
  GumboTree(const GumboTree&) = delete;
  GumboTree& operator=(const GumboTree&) = delete;

  const GumboNode& document() const { return *output_->document; }

  // Visits the whole tree without recursion, so nesting depth does not matter.
  void walk(GumboVisitor& visitor) const;

 private:
  struct Block;
  static void* allocate(void* tree, size_t size);
  static void release(void* tree, void* pointer);

  Block* blocks_ = nullptr;  // every live allocation, most recent first
  GumboOutput* output_ = nullptr;
};

}  // namespace vendaro
