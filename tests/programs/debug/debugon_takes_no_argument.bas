debugon
debugon 1
