print getstrbyte("ab", 3)
