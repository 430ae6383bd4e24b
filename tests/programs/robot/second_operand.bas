rlocate 400, 300
rforward 1, 2
