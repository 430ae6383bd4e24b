print filecopy("big.bin", "copy.bin", 1)
