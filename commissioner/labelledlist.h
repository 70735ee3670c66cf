#pragma once
#include <cstdint>
#include <vector>

// A doubly linked list whose nodes carry labels that grow along the list, so
// that any two nodes compare by position in constant time however many nodes
// were inserted between others. Labels run out only where many nodes were
// put in one place; then the labels of a few neighbours are spread out again
// (the nodes keep their relative order, so ordered sets of nodes stay valid).
namespace bidmark {

struct LabelledNode {
    std::uint64_t label = 0;
    LabelledNode* prev = nullptr;
    LabelledNode* next = nullptr;
};

// Orders nodes as they stand in their list.
struct ListOrder {
    bool operator()(const LabelledNode* a, const LabelledNode* b) const { return a->label < b->label; }
};

class LabelledList {
public:
    LabelledList();
    LabelledList(const LabelledList&) = delete;
    LabelledList& operator=(const LabelledList&) = delete;

    // The nodes, in order, make the whole list (it must be empty); the caller
    // owns them.
    void assign(const std::vector<LabelledNode*>& nodes);

    LabelledNode* first() { return head_.next; }
    LabelledNode* end() { return &tail_; } // past the last node; insertBefore(end()) appends

    void insertBefore(LabelledNode* at, LabelledNode* node);
    void detach(LabelledNode* node);

private:
    void makeRoomBefore(LabelledNode* at);
    void spreadEvenly();

    LabelledNode head_;
    LabelledNode tail_;
};

} // namespace bidmark
