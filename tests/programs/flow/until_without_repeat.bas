until 1
