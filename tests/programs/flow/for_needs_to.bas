for i = 1
