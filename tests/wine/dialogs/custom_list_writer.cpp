// The child of the crash test: saves large lists into the store named on its
// command line, one change after the other, until it is killed.
#include "big_lists.h"

#include "qvstore/custom_list_store.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        return 2;
    }
    const qv::store::CustomListStore store(argv[1]);
    for (int k = 1;; ++k) {
        if (!store.AddList(qvtest::BigList(k), qv::store::ListLanguage::English, nullptr)) {
            return 1;
        }
    }
}
