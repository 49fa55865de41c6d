#include "systemerror.h"

#include <cerrno>
#include <cstring>

std::string SystemErrorText(int code)
{
    switch (code) {
    case ENOENT:
        return "ファイルが見つかりません";
    case EACCES:
    case EPERM:
        return "アクセスが拒否されました";
    case EISDIR:
        return "フォルダーです";
    case ENOTDIR:
        return "パスの途中にフォルダーでないものがあります";
    case ENOSPC:
    case EDQUOT:
        return "ディスクの空き容量が足りません";
    case EROFS:
        return "読み取り専用のファイルシステムです";
    case ENAMETOOLONG:
        return "ファイル名が長すぎます";
    case EFBIG:
        return "ファイルが大きすぎます";
    case EIO:
        return "入出力エラーが起きました";
    default:
        return std::strerror(code);
    }
}
