#include "commissioner/labelledlist.h"

#include <limits>

namespace bidmark {

namespace {
constexpr std::uint64_t kLast = std::numeric_limits<std::uint64_t>::max();
}

LabelledList::LabelledList()
{
    head_.label = 0;
    tail_.label = kLast;
    head_.next = &tail_;
    tail_.prev = &head_;
}

// The nodes linked and labelled evenly in one pass, as spreadEvenly would
// label them.
void LabelledList::assign(const std::vector<LabelledNode*>& nodes)
{
    const std::uint64_t step = kLast / (nodes.size() + 1);
    LabelledNode* last = &head_;
    for (LabelledNode* node : nodes) {
        node->label = last->label + step;
        last->next = node;
        node->prev = last;
        last = node;
    }
    last->next = &tail_;
    tail_.prev = last;
}

void LabelledList::insertBefore(LabelledNode* at, LabelledNode* node)
{
    if (at->label - at->prev->label < 2)
        makeRoomBefore(at);
    LabelledNode* before = at->prev;
    node->label = before->label + (at->label - before->label) / 2;
    node->prev = before;
    node->next = at;
    before->next = node;
    at->prev = node;
}

void LabelledList::detach(LabelledNode* node)
{
    node->prev->next = node->next;
    node->next->prev = node->prev;
    node->prev = node->next = nullptr;
}

// Walks back from `at` until the labels between there and `at` span more than
// the square of the nodes they would hold with one more, then spaces those
// nodes evenly, leaving room just before `at`. Amortised, a few nodes are
// relabelled per insertion.
void LabelledList::makeRoomBefore(LabelledNode* at)
{
    LabelledNode* from = at->prev;
    std::uint64_t between = 0; // nodes strictly between `from` and `at`
    while (from != &head_ && at->label - from->label <= (between + 2) * (between + 2)) {
        from = from->prev;
        ++between;
    }
    const std::uint64_t step = (at->label - from->label) / (between + 2);
    if (step < 2) {
        spreadEvenly(); // the whole front of the list is crowded: start afresh
        return;
    }
    std::uint64_t label = from->label;
    for (LabelledNode* node = from->next; node != at; node = node->next)
        node->label = label += step;
}

void LabelledList::spreadEvenly()
{
    std::uint64_t count = 0;
    for (LabelledNode* node = head_.next; node != &tail_; node = node->next)
        ++count;
    const std::uint64_t step = kLast / (count + 1);
    std::uint64_t label = 0;
    for (LabelledNode* node = head_.next; node != &tail_; node = node->next)
        node->label = label += step;
}

} // namespace bidmark
