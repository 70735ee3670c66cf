#include "commissioner/labelledlist.h"

#include <deque>

#include <gtest/gtest.h>

namespace bidmark {
namespace {

// Labels grow along the list, whatever the places nodes are inserted at, also
// after tens of thousands of insertions in one place wore the labels down.
TEST(LabelledList, LabelsFollowTheListWhereverNodesAreInserted)
{
    enum Place { BeforeLast, AfterFirst, AtTheEnd, Alternating };
    for (Place place : {BeforeLast, AfterFirst, AtTheEnd, Alternating}) {
        std::deque<LabelledNode> nodes(3);
        LabelledList list;
        list.assign({&nodes[0], &nodes[1], &nodes[2]});
        for (int i = 0; i < 20000; ++i) {
            LabelledNode* at = place == BeforeLast ? &nodes[2]
                : place == AfterFirst             ? nodes[0].next
                : place == AtTheEnd || i % 2      ? list.end()
                                                  : &nodes[1];
            list.insertBefore(at, &nodes.emplace_back());
        }
        std::size_t count = 0;
        for (LabelledNode* node = list.first(); node != list.end(); node = node->next, ++count)
            ASSERT_TRUE(node->next == list.end() || ListOrder()(node, node->next)) << place << " at " << count;
        EXPECT_EQ(count, nodes.size());
        list.detach(&nodes[1]);
        EXPECT_EQ(nodes[1].next, nullptr);
    }
}

} // namespace
} // namespace bidmark
