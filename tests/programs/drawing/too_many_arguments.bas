setcolor 1, 2, 3
