#pragma once

// The fixed texts of the generated package and module, typed by hand from the agreed
// wording of the output, character by character (half-width katakana, full-width colons
// and blanks), and kept apart from the generators' own constants. A test that took its
// expected text from the program could repeat a wrong text; this table cannot. When it and
// a generator disagree, the generator is wrong unless the wording itself changed.
//
// Each list holds, in order, every line with a character outside ASCII that one scenario
// writes: the Japanese fixed texts are exactly those lines.

#include <QString>
#include <QStringList>

#include <algorithm>

namespace fixed_texts {

// The lines of a generated text that hold a character outside ASCII, in order.
inline QStringList nonAsciiLines(const QStringList& lines) {
    QStringList found;
    std::copy_if(lines.begin(), lines.end(), std::back_inserter(found), [](const QString& line) {
        return std::any_of(line.begin(), line.end(), [](QChar c) { return c.unicode() > 0x7F; });
    });
    return found;
}

// The package of EMP (public; INS, UPD and S&C; generic strings; arguments from EMP and
// DEPT) and DEPT (array; S&C): Indent 2, default prefixes, both header options on, system
// name 販売管理, editor 山田, made on Saturday 12 May 2001 at 14:03:09.
inline QStringList package() {
    // A routine header: the kind's lines, then the line on the result.
    const auto routine = [](QStringList kindLines) {
        return kindLines << "--戻り値：0=正常　0以外=エラー";
    };
    return QStringList{
               // Package header.
               "--使用ｼｽﾃﾑ名：販売管理",
               "--作成日時  ：2001年05月12日(土) [14:03:09]",
               "--作成者    ：Tamsel (Generator)",
               "--編集者    ：山田",
               // Specification.
               "--ﾊﾟｯｹｰｼﾞ仕様定義部",
               "  --PL/SQLﾃｰﾌﾞﾙ定義(Generated)",
               "  --汎用引数用ﾃｰﾌﾞﾙ定義(Generated)",
               "  --追加 PL/SQLﾃｰﾌﾞﾙ(Manual)",
               "  --外部に公開するﾌﾟﾛｼｰｼﾞｬの宣言(Generated)",
               "  --外部に公開するｸﾞﾛｰﾊﾞﾙ変数(Manual)",
               // Body declarations.
               "--ﾊﾟｯｹｰｼﾞﾎﾞﾃﾞｨ部",
               "  --<<ﾊﾟｯｹｰｼﾞ内部のｸﾞﾛｰﾊﾞﾙ変数>>",
               "  --ｶｰｿﾙ用ﾚｺｰﾄﾞ変数(Generated)",
               "  --配列のﾚｺｰﾄﾞ数(Generated)",
               "  --汎用引数用(Generated)",
               "  --自動生成(Generated)",
               "  --ﾃｰﾌﾞﾙ項目変数(Generated)",
               "  --追加ｸﾞﾛｰﾊﾞﾙ変数(Manual)",
               "  --自動生成関数定義(Generated)",
               "  --ｶｽﾀﾏｲｽﾞ対象関数定義(Generated)",
               "--内部関数ﾎﾞﾃﾞｨ",
           } +
           routine({"--関数名：INS_EMP(Generated)", "--説明  ：EMPにデータを挿入します"}) +
           routine({"--関数名：UPD_EMP(Generated)", "--説明  ：EMPのデータを更新します"}) +
           routine({"--関数名：CLR_EMP(Generated)",
                    "--説明  ：EMPｶｰｿﾙ用の変数にNULL(数値項目は0)をセット"}) +
           routine({"--関数名：SET_EMP(Generated)",
                    "--説明  ：EMPｶｰｿﾙ用の変数に指定ﾚｺｰﾄﾞの値をセット"}) +
           routine({"--関数名：CLR_DEPT(Generated)",
                    "--説明  ：DEPTｶｰｿﾙ用の変数にNULL(数値項目は0)をセット"}) +
           routine({"--関数名：SET_DEPT(Generated)",
                    "--説明  ：DEPTｶｰｿﾙ用の変数に指定ﾚｺｰﾄﾞの値をセット"}) +
           routine({"--関数名：PUB_EMP(Generated)", "--説明  ：外部から呼び出す関数",
                    "--      ：ｶｽﾀﾏｲｽﾞ対象関数[MAIN_EMP]をコール"}) +
           QStringList{"  --引数をｸﾞﾛｰﾊﾞﾙ変数にセット", "  --カスタマイズ対象サブ呼出"} +
           routine({"--関数名：MAIN_EMP(Manual)", "--説明  ：ｶｽﾀﾏｲｽﾞ対象関数",
                    "--      ：PUB_EMPから呼び出し"}) +
           QStringList{
               "  --ここにﾌﾟﾗｲﾍﾞｰﾄ変数やｶｰｿﾙを宣言します",
               "  pp_MyErr  EXCEPTION;  --関数呼出時のｴﾗｰ",
               "  --関数呼出のｽｹﾙﾄﾝ",
               "  --pp_ErrCode := INS_EMP; --(呼び出す関数名)",
               "  --ここに処理を書きます",
           };
}

// The module of EMP (public; generic strings and numbers; arguments from EMP and from DEPT,
// an array table) with every menu option on, editor 山田, made at the same moment.
inline QStringList module() {
    const QString plus38(38, u'+');
    return {"'オラクルパッケージ呼出モジュール",
            "'作成日時  ：2001年05月12日(土) [14:03:09]",
            "'作成者    ：Tamsel (Generator)",
            "'編集者    ：山田",
            "'※注意点",
            "'1 OraDataBaseオブジェクト名を仮に[ppOraDB]としてあります。",
            "'  [ppOraDB]を実際に使用している名称に置換して下さい。",
            "'2 コード内、コメントになっている部分は",
            "'  必要な所だけコメントを外して使用して下さい。",
            "'3 現在対応しているORATYPEはCHAR,VARCHAR,VARCHAR2,DATE,NUMBERです。",
            "'  それ以外は[ORATYPE_UNKNOWN]としてあります。置換して下さい。",
            "'4 [++++]で囲まれた部分はカスタマイズポイントです。",
            "'5 関数内でのエラーは[12345678]を返します。※数値変更可",
            "'関数名:パッケージ呼出[EMP]",
            "'引数  :",
            "'戻り値:パッケージエラーコード",
            "'機能  :",
            "Dim ppParamStr As OraParamArray '汎用引数(文字列)",
            "Dim ppParamNum As OraParamArray '汎用引数(数値)",
            "'DEPTパラメータ用",
            "Dim rcDEPT As Integer 'レコード数",
            "\tppMsg = \"レコード数設定中\"",
            "\t'配列レコード数を設定++++++++++",
            "\tppMsg = \"パラメータ準備中\"",
            "\tppMsg = \"配列オブジェクトセット中\"",
            "\tppMsg = \"SQL作成中\"",
            "\t'データセット" + plus38,
            "\t'汎用文字列(30桁以内)",
            "\t'汎用数値",
            "\tppMsg = \"EMPパラメータセット中\"",
            "\tppMsg = \"DEPTパラメータセット中\"",
            "\tppMsg = \"パッケージ処理中\"",
            "\t\t'正常終了処理" + plus38,
            "\t\t'異常終了処理" + plus38,
            "\t\t'MsgBox \"パッケージエラー：\" & vbCrLf & ppOraParam(\"EMP_ErrName\").Value, "
            "vbCritical, App.Title",
            "\tppMsg = \"パラメータ解放中\"",
            "'エラー処理",
            "\tCall_Package = 12345678 '数値変更可",
            "\t'MsgBox ppMsg & \"にエラーが発生しました\" & vbCrLf & Err.Description, vbCritical, "
            "App.Title"};
}

} // namespace fixed_texts
