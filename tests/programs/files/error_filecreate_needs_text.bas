h = filecreate(5)
