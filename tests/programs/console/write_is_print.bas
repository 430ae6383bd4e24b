write "w"
