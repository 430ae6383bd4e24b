return
